// The headless driver itself: its script language, its clock and its dumps.
#include "app/Form1.h"
#include "script/Script.h"
#include "script/ScriptedPlatform.h"
#include "support/ScriptSupport.h"

#include <gtest/gtest.h>
#include <set>

using namespace kvz;
using test::control;
using test::eventsOf;

namespace {

using Words = std::vector<std::string>;

std::string driver() {
    return std::string(KVZ_PROGRAM_DIR) + "/kvizomat-script";
}

std::vector<std::string> ignoredCommands(const Json& dump) {
    std::vector<std::string> out;
    for (const Json& e : eventsOf(dump, "ignored")) out.push_back(e.get<std::string>());
    return out;
}

class DriverTest : public ::testing::Test {
  protected:
    test::ProgramFolder folder;
};

} // namespace

// ---- The script language ----------------------------------------------------------------

TEST(ScriptParsingTest, quotedWordsKeepBlanksAndOnlyTheirTwoEscapes) {
    EXPECT_EQ(script::splitWords(R"(type "Ana \"Mika\" \\ x"  y)", 1),
              (Words{"type", R"(Ana "Mika" \ x)", "y"}));
    EXPECT_EQ(script::splitWords("  click\tlblKviz(2) ", 1), (Words{"click", "lblKviz(2)"}));
    EXPECT_EQ(script::splitWords(R"(dump "")", 1), (Words{"dump", ""}));
}

TEST(ScriptParsingTest, commentsAndBlankLinesAreSkippedButKeepTheLineNumbers) {
    auto commands = script::parseScript("# set-up\n\n  dump first\r\n   # indented\nwait 10");
    ASSERT_EQ(commands.size(), 2u);
    EXPECT_EQ(commands[0].line, 3);
    EXPECT_EQ(commands[0].source, "dump first");
    EXPECT_EQ(commands[0].word, "first");
    EXPECT_EQ(commands[1].line, 5);
    EXPECT_EQ(commands[1].x, 10);
}

TEST(ScriptParsingTest, aMalformedLineIsReportedWithItsNumberAndWhatIsWrong) {
    struct Case {
        const char* line;
        const char* complaint;
    };
    const Case cases[] = {
        {"clik lblStart", "unknown command"},
        {R"(type "Ana)", "not closed"},
        {R"(type "a\n")", "unknown escape"},
        {R"(type "a"b)", "closing quote"},
        {R"(type a"b")", "quote inside"},
        {"wait -5", "whole number"},
        {"wait", "usage: wait MS"},
        {"rnd 0.5 1", "0 <= R < 1"},
        {"rnd", "usage"},
        {"date 2026-02-29", "real date"},
        {"date 2026-1-1", "real date"},
        {"platform vista", "nt or other"},
        {"key 300", "key code"},
        {"dump a b", "usage"},
        {"seed abc", "number"},
        {"screen 0 768", "the width"},
        {"click", "usage"},
        {"blur now", "usage"},
    };
    for (const Case& c : cases) {
        try {
            script::parseScript(std::string("# comment\n\ndump\n") + c.line + "\ndump\n");
            ADD_FAILURE() << c.line << " was accepted";
        } catch (const script::ScriptError& e) {
            EXPECT_EQ(e.line(), 4) << c.line;
            EXPECT_NE(std::string(e.what()).find(c.complaint), std::string::npos)
                << c.line << ": " << e.what();
        }
    }
}

TEST(ScriptParsingTest, setUpCommandsMustComeBeforeTheOneStart) {
    for (const char* late : {"screen 15360 11520", "platform nt", "running", "start"})
        EXPECT_THROW(script::parseScript(std::string("start\n") + late), script::ScriptError)
            << late;
    EXPECT_NO_THROW(script::parseScript("start\ndate 2027-12-31\nseed 3.5\nrnd 0 0.999"));
}

TEST_F(DriverTest, aScriptNamingAnUnknownControlOrTimerRunsNothing) {
    auto result = folder.runRaw("dump\nstart\n\nclick lblNothing\n");
    EXPECT_EQ(result.status, script::kMalformed);
    EXPECT_EQ(result.error.rfind("line 4:", 0), 0u) << result.error;
    EXPECT_NE(result.error.find("lblNothing"), std::string::npos);
    EXPECT_TRUE(result.dumps.empty());

    result = folder.runRaw("start\ntick Timer9\n");
    EXPECT_EQ(result.status, script::kMalformed);
    EXPECT_EQ(result.error.rfind("line 2:", 0), 0u) << result.error;
    // Indices belong to the name: an element outside the array is no control.
    EXPECT_EQ(folder.runRaw("click lblKviz(5)").status, script::kMalformed);
}

TEST_F(DriverTest, aScriptFileThatCannotRunOrAMissingFolderEndsWithItsReason) {
    // Reading standard input is what the scratch-copy test below does.
    std::string out;
    test::writeFile(folder.file("bad.ksc"), "start\nwait soon\n");
    int status =
        test::runCommand(driver() + " --dir " + folder.path() + " " + folder.file("bad.ksc"), &out);
    EXPECT_EQ(status, 2);
    EXPECT_NE(out.find("line 2"), std::string::npos) << out;

    status = test::runCommand(driver() + " --dir " + folder.file("nowhere") + " < /dev/null", &out);
    EXPECT_EQ(status, 1);
    EXPECT_NE(out.find("no such folder"), std::string::npos) << out;
}

// ---- The dump ---------------------------------------------------------------------------

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
    EXPECT_EQ(d["label"], nullptr);
    EXPECT_EQ(d["time"], 0);
}

// ---- Input ------------------------------------------------------------------------------

TEST_F(DriverTest, eventsOnHiddenControlsTicksOfStoppedTimersAndAnythingBeforeStartAreIgnored) {
    Json d = folder.run(R"(click lblStart
start
tick Timer3
tick Timer1
click lblDANE(0)
dblclick imgMilion
move lblDANE(1)
focus lblStart
dump)")[0];
    EXPECT_EQ(ignoredCommands(d),
              (Words{"click lblStart", "tick Timer3", "click lblDANE(0)", "dblclick imgMilion",
                     "move lblDANE(1)", "focus lblStart"}));
    // lblDANE is itself visible; the hidden frame holding it is what stops the click.
    EXPECT_EQ(control(d, "lblDANE(0)")["visible"], true);
    EXPECT_EQ(control(d, "Frame1")["visible"], false);
    EXPECT_EQ(d["focus"], "Text1");
}

TEST_F(DriverTest, onAScratchCopyTheGamesCountButTheFileStaysAsItWas) {
    const std::string before = test::readFile(folder.file("Baza.mdb"));
    std::string out;
    const std::string game = "start\ntype \"ana\"\nclick lblStart\ndump\n";
    int status = test::runCommand(
        "printf '" + game + "' | " + driver() + " --scratch --dir " + folder.path(), &out);
    ASSERT_EQ(status, 0) << out;
    EXPECT_EQ(control(Json::parse(out), "Label8(1)")["caption"], "1") << "the game was counted";
    EXPECT_EQ(test::readFile(folder.file("Baza.mdb")), before);
}

// ---- The end of the program -------------------------------------------------------------

TEST_F(DriverTest, afterTheProgramEndsCommandsAreIgnoredButDumpsStillPrint) {
    Json d = folder.run("start\nkey 27\nclick lblStart\nwait 1000\ndump")[0];
    EXPECT_EQ(d["ended"], true);
    EXPECT_EQ(d["time"], 0);
    Json events = d["events"];
    ASSERT_GE(events.size(), 3u);
    EXPECT_EQ(events[events.size() - 3], (Json{{"end", true}, {"status", 0}}));
    EXPECT_EQ(ignoredCommands(d), (Words{"click lblStart", "wait 1000"}));
}
