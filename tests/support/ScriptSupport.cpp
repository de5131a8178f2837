#include "support/ScriptSupport.h"

#include "data/Database.h"

#include <gtest/gtest.h>

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

std::vector<Json> eventsOf(const Json& dump, const std::string& kind) {
    std::vector<Json> out;
    for (const Json& e : dump.value("events", Json::array()))
        if (e.contains(kind)) out.push_back(e[kind]);
    return out;
}

} // namespace kvz::test
