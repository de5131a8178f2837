// SPDX-License-Identifier: GPL-3.0-or-later
#include "CommandLine.h"

#include "Help.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <unistd.h>

namespace kvz::desktop {

namespace {

struct Flag {
    const char* name;
    bool Options::*field;
};
constexpr Flag kFlags[] = {{"--help", &Options::help},
                           {"-h", &Options::help},
                           {"--version", &Options::version},
                           {"-V", &Options::version},
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

HelpLanguage helpLanguage() {
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(variable);
        if (value == nullptr || *value == '\0') continue;
        const std::string locale = value; // sr, sr_RS.UTF-8, sr_RS@latin, sr_ME ...
        const bool serbian = locale.rfind("sr", 0) == 0 &&
                             (locale.size() == 2 || std::strchr("_.@", locale[2]) != nullptr);
        return serbian ? HelpLanguage::Serbian : HelpLanguage::English;
    }
    return HelpLanguage::English;
}

std::string usage(HelpLanguage language) {
    return language == HelpLanguage::Serbian ? kHelpSerbian : kHelpEnglish;
}

std::string whyNotWritable(const std::string& path) {
    std::error_code ec;
    const bool existed = std::filesystem::exists(path, ec);
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
    if (fd >= 0) {
        ::close(fd);
        if (!existed) ::unlink(path.c_str());
        return {};
    }
    switch (errno) {
    case ENOENT:
    case ENOTDIR:
        return "нема фасцикле у коју би ишла";
    case EISDIR:
        return "то је фасцикла";
    case EACCES:
    case EPERM:
        return "нема дозволе за писање";
    case EROFS:
        return "диск је само за читање";
    case ENOSPC:
    case EDQUOT:
        return "диск је пун";
    default:
        return std::strerror(errno);
    }
}

} // namespace kvz::desktop
