// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace kvz {

enum class MessageIcon { Critical, Exclamation, Information };

struct ScreenSize {
    int width = 0;  // twips
    int height = 0; // twips
};

// How the game keeps its database. Direct: every write is committed before the handler that
// made it returns (the driver and the tests, which read the file after each step).
// WriteBehind: writes are handed to a thread that commits them in the same order, so no
// handler waits for the disk (the desktop program). Scratch: the game plays on a copy in
// memory and the file is never written (simulations and fuzzing).
enum class DatabaseMode { Direct, WriteBehind, Scratch };

// How an announcement meets what is still being said: Assertive cuts it off (a new question,
// a verdict), Polite waits its turn after it (the answers after their question).
enum class SayPriority { Polite, Assertive };

struct Date {
    int year = 2026;
    int month = 1;
    int day = 1;
    std::string iso() const; // "YYYY-MM-DD"
};

// What the game asks of the machine it runs on. The desktop program gives the real
// services; the driver and the tests give recorded, scriptable ones.
class Platform {
  public:
    virtual ~Platform() = default;

    // Shows a message and waits until the player has read it.
    virtual void messageBox(const std::string& text, const std::string& title,
                            MessageIcon icon) = 0;
    virtual void beep() = 0;
    // Starts playing a WAV file and returns at once; failures are not reported.
    virtual void playWav(const std::string& fullName) = 0;
    virtual bool anotherCopyRunning() = 0;
    virtual ScreenSize screenSize() = 0;
    // The folder holding Baza.mdb and the sounds, without a trailing separator.
    virtual std::string programFolder() = 0;
    virtual bool fileExists(const std::string& path) = 0;
    virtual Date today() = 0;
    // The clock reading the generator is seeded from at the first question of a game.
    virtual double clockSeed() = 0;
    virtual DatabaseMode databaseMode() { return DatabaseMode::Direct; }
    // Where the database that last passed the whole check is remembered (see CheckMemo);
    // empty: every start checks it whole.
    virtual std::string checkMemoFile() { return {}; }
    // Tells the player what has just appeared, for a screen reader or the spoken quiz: a
    // text in display code, as the screen shows it. Returns at once; hosts that speak
    // nothing ignore it.
    virtual void say(const std::string& /*text*/, SayPriority /*priority*/) {}

    // Display-font installation: whether the system needs a restart before a new font
    // shows (the NT family did), the user's font folder, and the registration itself.
    virtual bool isWindowsNT() = 0;
    virtual std::string fontFolder() = 0;
    virtual bool copyFile(const std::string& from, const std::string& to) = 0;
    virtual bool registerDisplayFont(const std::string& keyPath) = 0;
};

} // namespace kvz
