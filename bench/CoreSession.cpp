// SPDX-License-Identifier: GPL-3.0-or-later
#include "CoreSession.h"

#include "game/RightAnswer.h"

#include <filesystem>
#include <stdexcept>
#include <thread>

namespace kvz::bench {

namespace fs = std::filesystem;

ProgramCopy::ProgramCopy(const std::string& from) {
    fs::path dir = fs::temp_directory_path() / "kvizomat-bench-XXXXXX";
    std::string pattern = dir.string();
    if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("cannot make " + pattern);
    path_ = pattern;
    for (const char* name : {"Baza.mdb", "Mil.wav", "Drugar.wav"})
        if (fs::exists(fs::path(from) / name))
            fs::copy_file(fs::path(from) / name, fs::path(path_) / name);
}

ProgramCopy::~ProgramCopy() {
    std::error_code ec;
    fs::remove_all(path_, ec);
}

CoreSession::CoreSession(const std::string& folder, EventTimes* times, DatabaseMode database)
    : platform_(folder), form_(platform_, rnd_),
      clock_(
          {&form_.Timer1, &form_.Timer2, &form_.Timer3, &form_.Timer4, &form_.Timer5,
           &form_.timNajava},
          [this](Timer& t) { timed(t.name(), [&] { form_.tick(t); }); },
          [this] { return form_.ended; }),
      times_(times) {
    platform_.scenery.database = database;
}

template <typename Event> void CoreSession::timed(const std::string& kind, Event&& event) {
    if (times_ == nullptr) {
        event();
        return;
    }
    const auto begin = std::chrono::steady_clock::now();
    event();
    const auto end = std::chrono::steady_clock::now();
    (*times_)[kind].push_back(std::chrono::duration<double, std::nano>(end - begin).count());
}

void CoreSession::start(const std::string& name) {
    timed("Main", [&] { form_.Main(); });
    if (form_.ended) throw std::runtime_error("the program ended at start-up");
    for (char ch : name) form_.keyPress(static_cast<unsigned char>(ch));
    clock_.sync();
}

void CoreSession::restBeforeClick() {
    // A player's clicks come a good part of a second apart, time enough for the commits
    // behind the game to end and the disk to settle; here they would come back to back.
    if (times_ == nullptr || platform_.scenery.database != DatabaseMode::WriteBehind) return;
    form_.Writes->settle();
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
}

void CoreSession::click(Control& c) {
    restBeforeClick();
    timed("click " + c.name, [&] { form_.click(c); });
    clock_.sync();
    platform_.takeEvents(); // the sounds and beeps are not looked at
}

bool CoreSession::runUntil(const std::function<bool()>& done) {
    const std::int64_t limit = clock_.now() + 60'000;
    while (!done()) {
        std::optional<std::int64_t> next;
        for (Timer* t : form_.timers()) {
            auto due = clock_.dueTime(*t);
            if (due && (!next || *due < *next)) next = due;
        }
        if (!next || *next > limit || form_.ended) return false;
        clock_.advance(*next - clock_.now());
    }
    platform_.takeEvents();
    return true;
}

void CoreSession::startGame() {
    click(form_.lblStart);
    runUntil([this] { return form_.BonusRunning == True; });
}

void CoreSession::answer(int k) {
    click(form_.lblKviz[k]);
    click(form_.lblDANE[0]);
}

void CoreSession::fiftyFifty() {
    click(form_.Image2[0]);
}

void CoreSession::askAudience() {
    click(form_.Image2[4]);
    runUntil([this] { return form_.lblHvala[0].visible; });
    click(form_.lblHvala[0]);
}

void CoreSession::callFriend() {
    click(form_.Image2[2]);
    runUntil([this] { return form_.FriendCallStep >= 9; });
    click(form_.Image2[7]); // hang up once the friend has answered
}

void CoreSession::playGame(const Chooser& choose) {
    click(form_.lblStart);
    for (int q = 1; q <= 15; ++q) {
        if (!runUntil([this] { return form_.BonusRunning == True && !form_.timNajava.enabled(); }))
            throw std::runtime_error("question " + std::to_string(q) + " never came");
        const int right = rightAnswer(form_);
        const int k = choose(q, right);
        answer(k);
        if (k != right || q == 15) break;
        runUntil([this] { return form_.timNajava.enabled(); });
    }
    if (!runUntil([this] { return form_.lblStart.caption == "Start"; }))
        throw std::runtime_error("the game never ended");
}

void playFullGame(CoreSession& session) {
    session.playGame([&session](int q, int right) {
        if (q == 3) session.fiftyFifty();
        if (q == 5) session.askAudience();
        if (q == 7) session.callFriend();
        return q < 15 ? right : right % 4 + 1;
    });
}

void playRandomGame(CoreSession& session, std::mt19937& draws) {
    session.playGame([&draws](int, int) { return 1 + static_cast<int>(draws() % 4); });
}

} // namespace kvz::bench
