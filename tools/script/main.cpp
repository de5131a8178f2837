// kvizomat-script: plays the game headless from a script and prints its state as JSON.
#include "script/ScriptRunner.h"

#include <fstream>
#include <iostream>
#include <sstream>

namespace {

constexpr const char* kUsage =
    R"(usage: kvizomat-script --dir FOLDER [--scratch | --write-behind] [SCRIPT]
  Runs the game against the program folder FOLDER (Baza.mdb, Mil.wav, Drugar.wav and
  _ARIAL.TTF are looked for there) under a virtual clock, one command a line, from SCRIPT
  or from standard input. Each `dump` prints the whole state as one line of JSON.
  --scratch  play on a copy of Baza.mdb in memory: counters and results change only in
             the copy, and the file is left as it was (for simulations)
  --write-behind  commit the writes on a thread of their own, as the window does, instead
             of before each command ends
)";

int usage(const std::string& problem) {
    std::cerr << "kvizomat-script: " << problem << "\n" << kUsage;
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
            std::cout << kUsage;
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
