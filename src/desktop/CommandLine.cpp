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
                           {"--speak", &Options::speak},
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
                    parsed.error = "опција " + name + " тражи вриједност";
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
            parsed.error = "непозната опција '" + a + "'";
            return parsed;
        }
    }
    return parsed;
}

std::string usage() {
    return "Употреба: kvizomat [ОПЦИЈА]...\n"
           "Квиз: петнаест питања све тежих нивоа за љествицу награда до 1.000.000\n"
           "бодова, са три џокера и листом рекордера.\n"
           "\n"
           "  --fullscreen     почни преко цијелог екрана (F11 мијења у сваком тренутку)\n"
           "  --latin          прикажи текстове латиницом (F12 мијења и памти избор)\n"
           "  --mute           без звука\n"
           "  --speak          читај питања и одговоре наглас (F9 мијења и памти избор)\n"
           "  --dir ФАСЦИКЛА   играј из друге фасцикле игре (њен Baza.mdb и звуци)\n"
           "  --screenshot Д   сачувај прву нацртану слику као PNG датотеку Д и изађи\n"
           "  --first-frame    изађи чим се нацрта прва слика и испиши тај тренутак\n"
           "  --version        испиши верзију и изађи\n"
           "  --help           испиши ово упутство и изађи\n";
}

} // namespace kvz::desktop
