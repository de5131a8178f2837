// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "editor/model/QuestionStore.h"

#include <array>
#include <string>
#include <vector>

namespace kvz::editor {

// A question as typed in the form: UTF-8 Serbian in either alphabet (Latin with č ć ž š đ and
// the digraphs lj nj dž).
struct Draft {
    std::string text;
    std::array<std::string, 4> answers;
    int level = 1;
    int right = 1;
    std::string note;
};

// The draft's fields, in the order of the game's question fields: the question, the answers
// A..G, the level, the right answer, the note.
inline constexpr std::size_t kDraftFields = 8;

struct DraftVerdict {
    Question question;                            // the draft in display code
    std::array<std::string, kDraftFields> errors; // why the game would refuse each field
    std::vector<std::string> warnings;            // what the player may want to look at again

    bool ok() const;
};

// Converts the draft as the importer converts a row and judges it by the game's own check.
// `store`, when given, is asked whether another question already has the text (`id` is the
// draft's own row, 0 for a new one).
DraftVerdict checkDraft(const Draft& draft, std::int64_t id, const QuestionStore* store);

// The draft form of a stored question, in Latin or Cyrillic letters.
Draft draftOf(const Question& q, bool latin);

// A display-code text in the chosen letters, UTF-8.
std::string shownText(const std::string& display, bool latin);

} // namespace kvz::editor
