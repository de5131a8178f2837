// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <memory>

namespace kvz::desktop {

// Plays WAV files, one at a time: a new sound cuts off the one playing. The beep has a
// channel of its own, as a system's alert sound has, so it never cuts off a WAV. The player
// lives in its own module beside the program (kvizomat-sound), loaded at the first sound,
// so that the audio libraries cost nothing at start-up.
class Sound {
  public:
    virtual ~Sound() = default;
    // Starts the file and returns at once.
    virtual void play(const QString& file) = 0;
    // Starts the beep, a short sound the module carries, and returns at once.
    virtual void beep() = 0;
};

// The module's entry point.
using CreateSound = Sound* (*)();
inline constexpr const char* kCreateSoundSymbol = "kvzCreateSound";

// The player of the sound module; nothing when the module is missing or does not load.
std::unique_ptr<Sound> loadSound();

} // namespace kvz::desktop
