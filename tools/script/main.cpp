// SPDX-License-Identifier: GPL-3.0-or-later
// kvizomat-script: plays the game headless from a script and prints its state as JSON.
#include "Help.h"
#include "script/ScriptRunner.h"

#include <fstream>
#include <iostream>
#include <sstream>

namespace {

int usage(const std::string& problem) {
    std::cerr << "kvizomat-script: " << problem << "\n" << kHelp;
    return kvz::script::kMalformed;
}

} // namespace

int main(int argc, char** argv) {
    std::string folder, scriptPath;
    bool haveFolder = false;
    auto database = kvz::DatabaseMode::Direct;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            std::cout << kHelp;
            return 0;
        }
        if (arg == "--version" || arg == "-V") {
            std::cout << "kvizomat-script " << KVZ_VERSION << "\n";
            return 0;
        }
        if (arg == "--dir") {
            if (++i == argc) return usage("--dir needs a folder");
            folder = argv[i];
            haveFolder = true;
        } else if (arg == "--scratch") {
            database = kvz::DatabaseMode::Scratch;
        } else if (arg == "--write-behind") {
            database = kvz::DatabaseMode::WriteBehind;
        } else if (arg.starts_with("-") && arg != "-") {
            return usage("unknown option " + arg);
        } else if (!scriptPath.empty()) {
            return usage("only one script can be given");
        } else {
            scriptPath = arg;
        }
    }
    if (!haveFolder) return usage("--dir FOLDER is required");

    std::ostringstream text;
    if (scriptPath.empty() || scriptPath == "-") {
        text << std::cin.rdbuf();
    } else {
        std::ifstream in(scriptPath, std::ios::binary);
        if (!in) {
            std::cerr << "kvizomat-script: cannot read " << scriptPath << "\n";
            return kvz::script::kCannotRun;
        }
        text << in.rdbuf();
    }

    auto result = kvz::script::runScript(
        text.str(), folder,
        [](const kvz::Json& dump) { std::cout << kvz::script::dumpLine(dump) << std::endl; }, {},
        database);
    if (result.status != kvz::script::kRanToEnd) {
        std::string where = scriptPath.empty() ? "" : scriptPath + ": ";
        std::cerr << "kvizomat-script: " << where << result.error << "\n";
    }
    return result.status;
}
