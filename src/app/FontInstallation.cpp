// SPDX-License-Identifier: GPL-3.0-or-later
// Installing the display font on a first start: copy the font file into the user's font
// folder and register it; the settings row remembers success so later starts skip it.
#include "app/FontInstallation.h"

#include "app/Form1.h"

#include <exception>

namespace kvz {

namespace {

constexpr const char* kOtherFontsKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Fonts";
constexpr const char* kFontFile = "_ARIAL.TTF";

} // namespace

void Form1::InstallFontAtStart() {
    if (RsStat->field("Slova").truth()) return;
    FontsKey = platform_.isWindowsNT() ? kNtFontsKey : kOtherFontsKey;
    // A failed check or copy is of no consequence: the registration is tried all the same
    // and the whole installation again at the next start.
    try {
        std::string installed = platform_.fontFolder() + "/" + kFontFile;
        std::string beside = programFile(kFontFile);
        if (!platform_.fileExists(installed) && platform_.fileExists(beside))
            platform_.copyFile(beside, installed);
    } catch (const std::exception&) {}
    InstallDisplayFont(FontsKey);
}

void Form1::InstallDisplayFont(const std::string& keyPath) {
    if (!platform_.registerDisplayFont(keyPath)) return;
    RsStat->set("Slova", Value(true));
    RsStat->update();
}

} // namespace kvz
