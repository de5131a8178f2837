// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The window's game-state fields, one row each: type, name, starting value. Form1 declares
// its fields from this list and the driver's dump walks the same list, so a new field is
// dumped (and checked by the tests that read the dump) as soon as it exists.
// Boolean rows are the window's truth values (True = -1); the dump shows them as true/false.
// Lists indexed from 1 (QuestionCount, Collaborators) are dumped from index 1.
#define KVZ_GAME_FIELDS(X)                                                                         \
    X(Byte, QuestionNo, 1)                                                                         \
    X(Byte, SelectedAnswer, 0)                                                                     \
    /* An answer has been marked since the last verdict: DA judges only then, so an answer */      \
    /* is never judged twice, even when a double click re-opens the panel after the verdict. */    \
    X(Boolean, MarkAwaitsJudgement, False)                                                         \
    X(Boolean, ReplacementUsed, False)                                                             \
    X(Boolean, HostCheckAvailable, True)                                                           \
    X(Boolean, AnswersEnabled, True)                                                               \
    X(Boolean, AnswerLocked, False)                                                                \
    X(Boolean, OdredShown, False)                                                                  \
    X(Byte, AnnounceStep, 0)                                                                       \
    X(Byte, CelebrateStep, 0)                                                                      \
    X(Byte, BonusTick, 0)                                                                          \
    X(Boolean, BonusRunning, False)                                                                \
    X(Boolean, AdvertShown, False)                                                                 \
    X(Boolean, SmallScreen, False)                                                                 \
    X(Boolean, ResultsMode, False)                                                                 \
    /* The game in play has yet to offer its result to the list. */                                \
    X(Boolean, ResultPending, False)                                                               \
    X(Byte, FriendCallStep, 0)                                                                     \
    X(std::string, FriendCertainty, )                                                              \
    X(Boolean, FriendCallRunning, False)                                                           \
    X(Byte, ChartRevealStep, 0)                                                                    \
    X(Byte, RecordRowCursor, 0)                                                                    \
    X(Byte, WrongAnswerStep, 0)                                                                    \
    X(Byte, LadderBlinkStep, 0)                                                                    \
    X(Boolean, LadderBlinkMode, True)                                                              \
    X(Byte, TypewriterStep, 0)                                                                     \
    X(Boolean, WinCelebrating, False)                                                              \
    X(Byte, WinStep, 0)                                                                            \
    X(double, LayoutGap, 90)                                                                       \
    /* Twips; whole numbers wide enough for any window size. */                                    \
    X(std::int32_t, ChartHeight, 0)                                                                \
    X(std::int32_t, ChartTop, 0)                                                                   \
    /* Questions per level 1..15 (index 0 unused), wide enough for any bank. */                    \
    X(KVZ_LEVEL_COUNTS, QuestionCount, )                                                           \
    X(std::optional<QuestionRow>, RsQuestion, )                                                    \
    /* Entries 1..CollaboratorCount. */                                                            \
    X(std::vector<std::string>, Collaborators, "")                                                 \
    X(std::int64_t, CollaboratorCount, 0)                                                          \
    X(std::string, FontsKey, )

// A type with a comma cannot stand in a macro argument.
#define KVZ_LEVEL_COUNTS std::array<std::int64_t, 16>
