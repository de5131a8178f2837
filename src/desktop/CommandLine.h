// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

namespace kvz::desktop {

// What the game was asked on its command line. It needs none.
struct Options {
    bool help = false;
    bool version = false;
    bool fullscreen = false;
    bool latin = false;
    bool mute = false;
    bool speak = false; // read the quiz aloud
    // --first-frame: quit once the first frame is painted, printing when (bench/startup.sh)
    bool firstFrame = false;
    std::string folder;     // --dir: play from another program folder
    std::string screenshot; // --screenshot: save the first frame and quit (for developers)
};

struct ParsedOptions {
    Options options;
    std::string error; // why the command line was refused (Cyrillic); empty when it was not
};

// Reads the arguments after the program's name. "--dir FOLDER" and "--dir=FOLDER" both work.
ParsedOptions parseCommandLine(const std::vector<std::string>& arguments);

enum class HelpLanguage { Serbian, English };

// Serbian when the locale of messages (LC_ALL, else LC_MESSAGES, else LANG) is a Serbian one,
// English otherwise: a player who has not chosen Serbian may not read it.
HelpLanguage helpLanguage();

// The text --help prints; the Serbian one is in Cyrillic (shown in Latin by the player's
// choice).
std::string usage(HelpLanguage language);

// Why a file cannot be written at `path`, in Cyrillic; empty when it can. Nothing is left
// behind by the try.
std::string whyNotWritable(const std::string& path);

} // namespace kvz::desktop
