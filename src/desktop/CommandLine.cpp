#include "CommandLine.h"

namespace kvz::desktop {

namespace {

struct Flag {
    const char* name;
    bool Options::*field;
};
constexpr Flag kFlags[] = {{"--help", &Options::help},
                           {"--version", &Options::version},
                           {"--fullscreen", &Options::fullscreen},
                           {"--latin", &Options::latin},
                           {"--mute", &Options::mute},
                           {"--first-frame", &Options::firstFrame}};

struct Valued {
    const char* name;
    std::string Options::*field;
};
constexpr Valued kValued[] = {{"--dir", &Options::folder}, {"--screenshot", &Options::screenshot}};

} // namespace

ParsedOptions parseCommandLine(const std::vector<std::string>& arguments) {
    ParsedOptions parsed;
    Options& o = parsed.options;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& a = arguments[i];
        bool known = false;
        for (const Flag& f : kFlags)
            if (a == f.name) o.*f.field = known = true;
        for (const Valued& v : kValued) {
            const std::string name = v.name;
            if (a == name) {
                if (i + 1 >= arguments.size() || arguments[i + 1].empty()) {
                    parsed.error = name + " needs a value";
                    return parsed;
                }
                o.*v.field = arguments[++i];
                known = true;
            } else if (a.rfind(name + "=", 0) == 0 && a.size() > name.size() + 1) {
                o.*v.field = a.substr(name.size() + 1);
                known = true;
            }
        }
        if (!known) {
            parsed.error = "unknown option '" + a + "'";
            return parsed;
        }
    }
    return parsed;
}

std::string usage() {
    return "usage: kvizomat [OPTION]...\n"
           "A quiz game: fifteen questions of rising level for a prize ladder up to\n"
           "1.000.000 points, with three jokers and a list of record holders.\n"
           "\n"
           "  --fullscreen     start in full screen (F11 switches at any time)\n"
           "  --latin          show the texts in Latin letters (F12 switches and is remembered)\n"
           "  --mute           play no sounds\n"
           "  --dir FOLDER     play from another program folder (its Baza.mdb and sounds)\n"
           "  --screenshot F   save the first painted frame as the PNG file F and quit\n"
           "  --first-frame    quit once the first frame is painted, printing the moment\n"
           "  --version        print the version and quit\n"
           "  --help           print this help and quit\n";
}

} // namespace kvz::desktop
