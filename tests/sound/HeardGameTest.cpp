// SPDX-License-Identifier: GPL-3.0-or-later
// The game heard: the window plays on the real services into a sound server of the test's
// own, whose null sink is recorded. Each beep, the fanfare and the wrong-answer phrase must
// be in the recording where the game asked for them, and nothing anywhere else.
#include "DesktopFixture.h"
#include "SoundServer.h"
#include "game/RightAnswer.h"

#include <QEventLoop>
#include <QTimer>
#include <algorithm>
#include <memory>
#include <optional>

namespace kvz::test {

namespace {

using namespace std::chrono_literals;

// Room for the way from the game to the sink and back out of the monitor.
constexpr Clock::duration kLatency = 700ms;

} // namespace

class HeardGame : public DesktopTest {
  protected:
    HeardGame() {
        for (const char* name : {"Mil.wav", "Drugar.wav"})
            std::filesystem::copy_file(std::filesystem::path(KVZ_PROGRAM_DIR) / name,
                                       dir.path() / name);
        platform.audible = true;
    }

    // One server for the whole program: the audio library stays with the first it reached.
    static void SetUpTestSuite() {
        qtApp();
        server = std::make_unique<SoundServer>();
        if (server->failure().empty()) server->useInThisProcess();
    }
    static void TearDownTestSuite() { server.reset(); }

    void SetUp() override {
        ASSERT_TRUE(server->failure().empty()) << server->failure();
        recording.emplace(*server);
        ASSERT_TRUE(recording->failure().empty()) << recording->failure();
        startProgram();
    }

    // Start, the announcement, the right answer marked and confirmed, and a click on the
    // player's name (it beeps and does nothing else) while the fanfare plays.
    void playRightAnswer() {
        typeIntoNameBox("pera");
        clickOn(form.lblStart);
        ASSERT_NO_FATAL_FAILURE(waitForTheAnswers());
        clickOn(form.lblKviz[rightAnswer(form)]);
        letRun(700ms);
        clickOn(form.lblDANE[0]);
        ASSERT_TRUE(runUntil([this] { return askedFor("Mil.wav"); }));
        letRun(800ms);
        clickOn(form.lblStart);
    }

    // The next question, a wrong answer marked and confirmed, and the phrase to its end.
    // The confirmation comes just after a heartbeat, which plays the phrase at the next.
    void playWrongAnswer() {
        ASSERT_NO_FATAL_FAILURE(waitForTheAnswers());
        clickOn(form.lblKviz[rightAnswer(form) % 4 + 1]);
        letRun(700ms);
        QEventLoop beat;
        QObject::connect(&window.timers().realTimer(form.Timer2), &QTimer::timeout, &beat,
                         &QEventLoop::quit);
        QTimer::singleShot(2000, &beat, &QEventLoop::quit);
        beat.exec();
        letRun(100ms);
        clickOn(form.lblDANE[0]);
        ASSERT_TRUE(runUntil([this] { return askedFor("Drugar.wav"); }));
        letRun(lengthOf(drugar) + 1500ms);
    }

    void waitForTheAnswers() {
        ASSERT_TRUE(runUntil([this] { return form.BonusRunning == True; }, 15000));
    }

    std::vector<std::string> soundsAskedFor() const {
        std::vector<std::string> names;
        for (const auto& sound : platform.sounds)
            names.push_back(std::filesystem::path(sound.name).filename().string());
        return names;
    }

    bool askedFor(const std::string& name) const {
        return std::ranges::count(soundsAskedFor(), name) > 0;
    }

    Clock::time_point at(std::size_t sound) const { return platform.sounds.at(sound).at; }

    // Seconds above silence in the recording between two moments.
    double heard(Clock::time_point from, Clock::time_point to) const {
        return recorded.loudSeconds(recording->sampleAt(from), recording->sampleAt(to));
    }

    static Clock::duration lengthOf(const Pcm& pcm) {
        return std::chrono::duration_cast<Clock::duration>(
            std::chrono::duration<double>(double(pcm.samples.size()) / pcm.rate));
    }

    static std::unique_ptr<SoundServer> server;
    std::optional<Recording> recording;
    Pcm recorded;
    const Pcm beep = readWav(KVZ_SOURCE_DIR "/assets/sounds/beep.wav");
    const Pcm fanfare = readWav(KVZ_PROGRAM_DIR "/Mil.wav");
    const Pcm drugar = readWav(KVZ_PROGRAM_DIR "/Drugar.wav");
};

std::unique_ptr<SoundServer> HeardGame::server;

TEST_F(HeardGame, everyBeepTheFanfareAndThePhraseReachTheSoundServerAndNothingElseDoes) {
    const Clock::time_point begun = Clock::now();
    ASSERT_NO_FATAL_FAILURE(playRightAnswer());
    ASSERT_NO_FATAL_FAILURE(playWrongAnswer());
    const Clock::time_point ended = Clock::now();
    recorded = recording->stop();
    ASSERT_EQ(soundsAskedFor(), (std::vector<std::string>{"beep", "beep", "beep", "Mil.wav", "beep",
                                                          "beep", "beep", "Drugar.wav"}));

    // Each beep on its own heard before the next sound, and no longer than a beep; all
    // heard whole but for the few milliseconds a new stream may lose to the server catching
    // up (a beep cut off where its samples run out, as Qt's own player does, loses half).
    double beeped = 0;
    for (std::size_t i : {0u, 1u, 2u, 5u, 6u}) {
        const double one = heard(at(i), std::min(at(i) + kLatency, at(i + 1)));
        EXPECT_GE(one, beep.loudSeconds() / 3) << "beep " << i;
        EXPECT_LE(one, beep.loudSeconds() + 0.03) << "beep " << i;
        beeped += one;
    }
    EXPECT_GE(beeped, 0.75 * 5 * beep.loudSeconds());
    // The fanfare and the phrase play to their ends, the beep over the fanfare cutting nothing.
    EXPECT_GE(heard(at(3), at(3) + lengthOf(fanfare) + kLatency), 0.9 * fanfare.loudSeconds());
    EXPECT_GE(heard(at(7), at(7) + lengthOf(drugar) + kLatency), 0.9 * drugar.loudSeconds());

    // Silence before the first sound, through both announcements and after the phrase.
    EXPECT_EQ(heard(begun, at(0)), 0.0);
    EXPECT_EQ(heard(at(0) + 1s, at(1)), 0.0);
    EXPECT_EQ(heard(at(3) + lengthOf(fanfare) + 1s, at(5)), 0.0);
    EXPECT_EQ(heard(at(7) + lengthOf(drugar) + 1s, ended), 0.0);
}

TEST_F(HeardGame, aMutedGamePlaysNothingNotEvenItsBeeps) {
    platform.setMuted(true);
    ASSERT_NO_FATAL_FAILURE(playRightAnswer());
    letRun(lengthOf(fanfare) + 1s);
    recorded = recording->stop();
    ASSERT_EQ(soundsAskedFor(),
              (std::vector<std::string>{"beep", "beep", "beep", "Mil.wav", "beep"}));
    ASSERT_GT(recorded.samples.size(), recording->sampleAt(at(4) + lengthOf(fanfare)));
    EXPECT_EQ(recorded.loudSeconds(), 0.0);
}

} // namespace kvz::test
