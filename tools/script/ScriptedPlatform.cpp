// SPDX-License-Identifier: GPL-3.0-or-later
#include "script/ScriptedPlatform.h"

#include <algorithm>
#include <filesystem>

namespace kvz::script {

namespace fs = std::filesystem;

namespace {

const char* iconName(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Critical:
        return "critical";
    case MessageIcon::Exclamation:
        return "exclamation";
    case MessageIcon::Information:
        return "information";
    }
    return "critical";
}

} // namespace

bool ScriptedPlatform::insideFolder(const fs::path& canonical) const {
    std::error_code ec;
    fs::path folder = fs::weakly_canonical(folder_, ec);
    if (ec) return false;
    auto rest = std::mismatch(folder.begin(), folder.end(), canonical.begin(), canonical.end());
    return rest.first == folder.end();
}

ScriptedPlatform::ScriptedPlatform(std::string folder) : folder_(std::move(folder)) {
    while (folder_.size() > 1 && folder_.back() == '/') folder_.pop_back();
}

Json ScriptedPlatform::takeEvents() {
    Json out = Json::array();
    std::swap(out, events_);
    return out;
}

void ScriptedPlatform::messageBox(const std::string& text, const std::string& title,
                                  MessageIcon icon) {
    record({{"message", {{"text", text}, {"title", title}, {"icon", iconName(icon)}}}});
}

void ScriptedPlatform::beep() {
    record({{"beep", true}});
}

void ScriptedPlatform::playWav(const std::string& fullName) {
    record({{"sound", fs::path(fullName).filename().string()}});
}

void ScriptedPlatform::say(const std::string& text, SayPriority priority) {
    record({{"say", encodeUtf8(displayIn(text, scenery.letters))},
            {"priority", priority == SayPriority::Assertive ? "assertive" : "polite"}});
}

bool ScriptedPlatform::fileExists(const std::string& path) {
    std::error_code ec;
    return fs::is_regular_file(path, ec);
}

std::string ScriptedPlatform::fontFolder() {
    return (fs::path(folder_) / "fonts").string();
}

bool ScriptedPlatform::copyFile(const std::string& from, const std::string& to) {
    std::error_code ec;
    fs::path target = fs::weakly_canonical(to, ec);
    if (ec || !insideFolder(target)) return false;
    fs::create_directories(target.parent_path(), ec);
    return fs::copy_file(from, to, fs::copy_options::overwrite_existing, ec);
}

} // namespace kvz::script
