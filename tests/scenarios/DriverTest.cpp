// SPDX-License-Identifier: GPL-3.0-or-later
// What a user of kvizomat-script sees: its exit status, its messages and its dumps.
#include "app/Form1.h"
#include "script/Script.h"
#include "script/ScriptedPlatform.h"
#include "support/ScriptSupport.h"

#include <gtest/gtest.h>
#include <set>

using namespace kvz;
using test::control;

namespace {

const std::string kDriver = std::string(KVZ_PROGRAM_DIR) + "/kvizomat-script";

class DriverTest : public ::testing::Test {
  protected:
    test::ProgramFolder folder;
};

} // namespace

TEST_F(DriverTest, aMalformedScriptRunsNothingAndSaysWhichLineAndWhatIsWrong) {
    struct Case {
        const char* line;
        const char* complaint;
    };
    const Case cases[] = {
        {"clik lblStart", "unknown command"}, {R"(type "Ana)", "not closed"},
        {"wait -5", "whole number"},          {"date 2026-02-29", "real date"},
        {"click lblNothing", "lblNothing"},   {"tick Timer9", "Timer9"},
        {"click lblKviz(5)", "lblKviz(5)"},
    };
    for (const Case& c : cases) {
        auto result = folder.runRaw(std::string("# set-up\nstart\n\n") + c.line + "\ndump\n");
        EXPECT_EQ(result.status, script::kMalformed) << c.line;
        EXPECT_EQ(result.error.rfind("line 4:", 0), 0u) << result.error;
        EXPECT_NE(result.error.find(c.complaint), std::string::npos) << result.error;
        EXPECT_TRUE(result.dumps.empty()) << c.line;
    }
    // Set-up belongs before the one start.
    EXPECT_EQ(folder.runRaw("start\nplatform nt\n").status, script::kMalformed);
}

TEST_F(DriverTest, aScriptFileThatCannotRunOrAMissingFolderEndsWithItsStatusAndReason) {
    std::string out;
    test::writeFile(folder.file("bad.ksc"), "start\nwait soon\n");
    const std::string run = kDriver + " --dir ";
    EXPECT_EQ(test::runCommand(run + folder.path() + " " + folder.file("bad.ksc"), &out), 2);
    EXPECT_TRUE(test::contains(out, "line 2"));
    EXPECT_EQ(test::runCommand(run + folder.file("nowhere") + " < /dev/null", &out), 1);
    EXPECT_TRUE(test::contains(out, "no such folder"));
}

TEST_F(DriverTest, aDumpHoldsEveryControlTimerAndFieldOfTheWindow) {
    Json fixture = test::sampleFixture(1);
    fixture["tbKviz"].push_back(test::question("Druga ~etvrtog", 4));
    test::ProgramFolder fourHasTwo(fixture);
    Json d = fourHasTwo.run("start\ndump")[0];

    script::ScriptedPlatform platform(fourHasTwo.path());
    Generator rnd;
    Form1 form(platform, rnd);
    std::set<std::string> expected{"Form1"};
    for (Control* c : form.controls()) expected.insert(c->key());
    std::set<std::string> dumped;
    for (const auto& [key, value] : d["controls"].items()) dumped.insert(key);
    EXPECT_EQ(dumped, expected);

    for (const char* property : {"visible", "back", "fore", "left", "top", "width", "height",
                                 "font", "size", "bold", "tooltip"})
        EXPECT_TRUE(control(d, "lblKviz(2)").contains(property)) << property;
    EXPECT_TRUE(control(d, "Text1").contains("text"));

    EXPECT_EQ(d["timers"].size(), 6u);
    EXPECT_EQ(d["timers"]["Timer1"], (Json{{"enabled", true}, {"interval", 200}}));

    const Json& f = d["fields"];
#define KVZ_FIELD_NAME(type, name, init) #name,
    for (const char* name : {KVZ_GAME_FIELDS(KVZ_FIELD_NAME)})
        EXPECT_TRUE(f.contains(name)) << name;
#undef KVZ_FIELD_NAME
    Json counts = Json::array();
    for (int level = 1; level <= 15; ++level) counts.push_back(level == 4 ? 2 : 1);
    EXPECT_EQ(f["QuestionCount"], counts);
}

TEST_F(DriverTest, onAScratchCopyTheGamesCountButTheFileStaysAsItWas) {
    const std::string before = test::readFile(folder.file("Baza.mdb"));
    std::string out;
    const std::string game = "start\ntype \"ana\"\nclick lblStart\ndump\n";
    int status = test::runCommand(
        "printf '" + game + "' | " + kDriver + " --scratch --dir " + folder.path(), &out);
    ASSERT_EQ(status, 0) << out;
    EXPECT_EQ(control(Json::parse(out), "Label8(1)")["caption"], "1") << "the game was counted";
    EXPECT_EQ(test::readFile(folder.file("Baza.mdb")), before);
}
