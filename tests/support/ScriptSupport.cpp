// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/ScriptSupport.h"

#include "data/Database.h"

#include <gtest/gtest.h>
#include <sstream>

namespace kvz::test {

ProgramFolder::ProgramFolder(const Json& fixture, bool withSounds) {
    if (!fixture.is_null()) createDatabase(dir_.file("Baza.mdb"), fixture);
    if (withSounds) {
        writeFile(dir_.file("Mil.wav"), "");
        writeFile(dir_.file("Drugar.wav"), "");
    }
}

std::vector<Json> ProgramFolder::run(const std::string& script) const {
    auto result = runRaw(script);
    EXPECT_EQ(result.status, script::kRanToEnd) << result.error;
    return result.dumps;
}

script::ScriptResult ProgramFolder::runRaw(const std::string& script) const {
    return script::runScript(script, path());
}

Json ProgramFolder::exportDatabase() const {
    Connection conn(dir_.file("Baza.mdb"), kDatabasePassword);
    return kvz::exportDatabase(conn);
}

std::string writingGames() {
    std::string s = "start\nfocus Text1\ntype \"Ana\"\n";
    for (int g = 0; g < kWritingGames; ++g) {
        s += "click lblStart\nwait 6100\n";
        for (int q = 0; q < g % 5; ++q)
            s += "click lblKviz(1)\nclick lblDANE(0)\nwait 3000\nwait 6100\n";
        s += "click Image2(2)\nclick Image2(7)\nclick Image2(4)\nwait 9200\n"
             "click lblHvala(0)\nclick lblIzlaz\n";
    }
    return s;
}

std::string freshDatabase() {
    TempDir dir;
    createDatabase(dir.file("Baza.mdb"), sampleFixture());
    return readFile(dir.file("Baza.mdb"));
}

std::vector<Json> statesOf(const std::string& script, const std::string& fresh) {
    ProgramFolder folder(nullptr);
    writeFile(folder.file("Baza.mdb"), fresh);
    Connection reader(folder.file("Baza.mdb"), kDatabasePassword);
    std::vector<Json> states{kvz::exportDatabase(reader)};
    std::string traced;
    for (std::size_t at = 0, end; at < script.size(); at = end + 1) {
        end = script.find('\n', at);
        traced += script.substr(at, end - at) + "\ndump\n";
    }
    auto result = script::runScript(traced, folder.path(), [&](const Json&) {
        Json now = kvz::exportDatabase(reader);
        if (now != states.back()) states.push_back(std::move(now));
    });
    EXPECT_EQ(result.status, script::kRanToEnd) << result.error;
    return states;
}

std::vector<Json> dumpsPrinted(const std::string& output) {
    std::vector<Json> dumps;
    std::istringstream lines(output);
    for (std::string line; std::getline(lines, line);)
        if (!line.empty() && line[0] == '{') dumps.push_back(Json::parse(line));
    return dumps;
}

Json dumpLabelled(const std::vector<Json>& dumps, const std::string& label) {
    for (const Json& d : dumps)
        if (d["label"] == label) return d;
    ADD_FAILURE() << "no dump labelled " << label;
    return Json::object();
}

const Json& control(const Json& dump, const std::string& key) {
    static const Json none;
    if (!dump.contains("controls") || !dump["controls"].contains(key)) {
        ADD_FAILURE() << "the dump has no control " << key;
        return none;
    }
    return dump["controls"][key];
}

std::vector<Json> messagesIn(const std::vector<Json>& dumps) {
    std::vector<Json> out;
    for (const Json& d : dumps)
        for (const Json& m : eventsOf(d, "message")) out.push_back(m);
    return out;
}

bool visible(const Json& dump, const std::string& key) {
    return control(dump, key)["visible"];
}

std::string caption(const Json& dump, const std::string& key) {
    return control(dump, key)["caption"];
}

std::vector<Json> eventsOf(const Json& dump, const std::string& kind) {
    std::vector<Json> out;
    for (const Json& e : dump.value("events", Json::array()))
        if (e.contains(kind)) out.push_back(e[kind]);
    return out;
}

Captions captions(const Json& dump, const std::vector<std::string>& keys) {
    Captions out;
    for (const std::string& key : keys) out.push_back(caption(dump, key));
    return out;
}

std::vector<bool> visibility(const Json& dump, const std::vector<std::string>& keys) {
    std::vector<bool> out;
    for (const std::string& key : keys) out.push_back(visible(dump, key));
    return out;
}

} // namespace kvz::test
