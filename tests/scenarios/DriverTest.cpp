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

TEST_F(DriverTest, theProgramReadsItsScriptFromStandardInputOrAFile) {
    std::string out;
    int status = test::runCommand(
        "printf 'dump one\\ndump two\\n' | " + driver() + " --dir " + folder.path(), &out);
    EXPECT_EQ(status, 0) << out;
    auto nl = out.find('\n');
    ASSERT_NE(nl, std::string::npos);
    EXPECT_EQ(Json::parse(out.substr(0, nl))["label"], "one");
    EXPECT_EQ(Json::parse(out.substr(nl + 1))["label"], "two");

    test::writeFile(folder.file("bad.ksc"), "start\nwait soon\n");
    status =
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
    EXPECT_TRUE(control(d, "lblStart").contains("caption"));
    EXPECT_TRUE(control(d, "Text1").contains("text"));
    EXPECT_TRUE(control(d, "picHelp")["lines"].is_array());
    EXPECT_EQ(control(d, "Form1").size(), 3u);

    EXPECT_EQ(d["timers"].size(), 6u);
    EXPECT_EQ(d["timers"]["Timer1"], (Json{{"enabled", true}, {"interval", 200}}));
    EXPECT_EQ(d["timers"]["timNajava"]["enabled"], false);

    const Json& f = d["fields"];
#define KVZ_FIELD_NAME(type, name, init) #name,
    for (const char* name : {KVZ_GAME_FIELDS(KVZ_FIELD_NAME)})
        EXPECT_TRUE(f.contains(name)) << name;
#undef KVZ_FIELD_NAME
    EXPECT_EQ(f["AnswersEnabled"], true);
    EXPECT_EQ(f["AnswerLocked"], false);
    EXPECT_EQ(f["QuestionNo"], 1);
    Json counts = Json::array();
    for (int level = 1; level <= 15; ++level) counts.push_back(level == 4 ? 2 : 1);
    EXPECT_EQ(f["QuestionCount"], counts);
    EXPECT_EQ(f["Collaborators"], (Json{"Pera", "Mika"}));

    EXPECT_EQ(d["label"], nullptr);
    EXPECT_EQ(d["time"], 0);
    EXPECT_EQ(d["ended"], false);
    EXPECT_EQ(d["focus"], "Text1");
    EXPECT_EQ(d["keyPreview"], false);
}

TEST_F(DriverTest, eachDumpReportsTheEventsSinceThePreviousOne) {
    auto dumps = folder.run("start\ntype \"a1\"\ndump first\ndump \"second one\"");
    ASSERT_EQ(dumps.size(), 2u);
    EXPECT_EQ(dumps[0]["label"], "first");
    EXPECT_EQ(eventsOf(dumps[0], "beep").size(), 1u); // the digit is refused
    EXPECT_EQ(control(dumps[0], "Text1")["text"], "a");
    EXPECT_EQ(dumps[1]["label"], "second one");
    EXPECT_TRUE(dumps[1]["events"].empty());
}

// ---- Time -------------------------------------------------------------------------------

TEST_F(DriverTest, virtualTimePassesOnlyInWaitsAndTicksFallDueAtTheirInterval) {
    auto dumps = folder.run(R"(start
wait 199
dump before
wait 1
dump first
wait 400
dump third
tick Timer1
dump manual
wait 199
dump countdownKept
wait 1
dump fifth)");
    auto at = [&](const char* label) { return test::dumpLabelled(dumps, label); };
    EXPECT_EQ(at("before")["time"], 199);
    EXPECT_EQ(at("before")["fields"]["LadderBlinkStep"], 0);
    EXPECT_EQ(at("first")["time"], 200);
    EXPECT_EQ(at("first")["fields"]["LadderBlinkStep"], 1);
    EXPECT_EQ(at("third")["fields"]["LadderBlinkStep"], 3);
    EXPECT_EQ(at("manual")["time"], 600);
    EXPECT_EQ(at("manual")["fields"]["LadderBlinkStep"], 4);
    EXPECT_EQ(at("countdownKept")["fields"]["LadderBlinkStep"], 4);
    EXPECT_EQ(at("fifth")["time"], 800);
    EXPECT_EQ(at("fifth")["fields"]["LadderBlinkStep"], 5);
}

TEST_F(DriverTest, aTickOfATimerThatIsOffIsIgnored) {
    Json d = folder.run("start\ntick Timer3\ntick Timer1\ndump")[0];
    EXPECT_EQ(ignoredCommands(d), Words{"tick Timer3"});
}

TEST(DriverRandomTest, queuedValuesComeBeforeTheSeededSequenceAndSeedsRepeat) {
    test::ProgramFolder folder(test::sampleFixture(4));
    auto firstQuestion = [&](const std::string& setUp) {
        Json d = folder.run(setUp + "\nstart\ntype \"ana\"\nclick lblStart\nwait 3000\ndump")[0];
        return d["fields"]["RsQuestion"];
    };
    // Int(4 * r + 1) picks the row of the level, whatever the clock seeds.
    EXPECT_EQ(firstQuestion("seed 5\nrnd 0.1")["position"], 1);
    EXPECT_EQ(firstQuestion("rnd 0.8\nseed 5")["position"], 4);

    EXPECT_EQ(firstQuestion("seed 3"), firstQuestion("seed 3"));
    std::set<std::int64_t> drawn;
    for (int seed = 1; seed <= 6; ++seed)
        drawn.insert(firstQuestion("seed " + std::to_string(seed))["position"].get<std::int64_t>());
    EXPECT_GT(drawn.size(), 1u);
}

// ---- Input ------------------------------------------------------------------------------

TEST_F(DriverTest, eventsOnHiddenControlsAndBeforeStartAreIgnoredAndReported) {
    Json d = folder.run(R"(click lblStart
start
click lblDANE(0)
dblclick imgMilion
move lblDANE(1)
focus lblStart
dump)")[0];
    EXPECT_EQ(ignoredCommands(d), (Words{"click lblStart", "click lblDANE(0)", "dblclick imgMilion",
                                         "move lblDANE(1)", "focus lblStart"}));
    // lblDANE is itself visible; the hidden frame holding it is what stops the click.
    EXPECT_EQ(control(d, "lblDANE(0)")["visible"], true);
    EXPECT_EQ(control(d, "Frame1")["visible"], false);
    EXPECT_EQ(d["focus"], "Text1");
}

TEST_F(DriverTest, typingGoesToTheEndOfTheFocusedNameBoxOnly) {
    auto dumps = folder.run(R"(start
type "ana"
type " bb"
dump typed
blur
type "cc"
dump blurred
focus Text1
type "d"
dump refocused)");
    EXPECT_EQ(control(dumps[0], "Text1")["text"], "ana bb");
    EXPECT_EQ(dumps[1]["focus"], nullptr);
    EXPECT_EQ(ignoredCommands(dumps[1]), Words{"type \"cc\""});
    EXPECT_EQ(dumps[2]["focus"], "Text1");
    // Losing the focus normalised the name; typing went on at its end.
    EXPECT_EQ(control(dumps[2], "Text1")["text"], "Ana Bbd");
}

TEST_F(DriverTest, aNameAndAClickOnStartBeginANewGame) {
    auto dumps = folder.run("start\ntype \"ana\"\nclick lblStart\ndump");
    const Json& d = dumps.at(0);
    EXPECT_EQ(eventsOf(d, "beep").size(), 1u);
    EXPECT_EQ(control(d, "lblStart")["caption"],
              " " + control(d, "Text1")["text"].get<std::string>());
    EXPECT_EQ(control(d, "Text1")["visible"], false);
    EXPECT_EQ(d["focus"], nullptr); // a hidden name box cannot keep the focus
    EXPECT_EQ(d["keyPreview"], true);
    EXPECT_EQ(d["timers"]["Timer2"]["enabled"], true);
    EXPECT_EQ(d["timers"]["Timer5"]["enabled"], true);
    EXPECT_EQ(folder.exportDatabase()["tbStat"]["Start"], 1);
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

TEST_F(DriverTest, enterInTheNameBoxIsAKeyStrokeThatStartsTheGame) {
    Json d = folder.run("start\ntype \"ana\"\nkey 13\ndump")[0];
    EXPECT_NE(control(d, "lblStart")["caption"], "Start");
    EXPECT_EQ(folder.exportDatabase()["tbStat"]["Start"], 1);
}

TEST_F(DriverTest, theWindowSizeFollowsResize) {
    Json d = folder.run("start\nresize 9000 7000\ndump")[0];
    EXPECT_EQ(control(d, "Form1")["width"], 9000);
    EXPECT_EQ(control(d, "Form1")["height"], 7000);
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

TEST_F(DriverTest, theScriptedMachineIsWhatTheStartUpSees) {
    Json d = folder.run("screen 15360 8900\nstart\ndump")[0];
    EXPECT_EQ(d["fields"]["SmallScreen"], true);
    EXPECT_EQ(d["ended"], false);

    // A second copy ends quietly, as a success; a screen too small is a failure.
    d = folder.run("running\nstart\ndump")[0];
    EXPECT_EQ(d["ended"], true);
    EXPECT_TRUE(eventsOf(d, "message").empty());
    EXPECT_EQ(eventsOf(d, "status"), std::vector<Json>{0});

    d = folder.run("screen 15360 7150\nstart\ndump")[0];
    auto messages = eventsOf(d, "message");
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0]["title"], "Kvizomat");
    EXPECT_EQ(messages[0]["icon"], "critical");
    EXPECT_EQ(d["ended"], true);
    EXPECT_EQ(eventsOf(d, "status"), std::vector<Json>{1});
}

TEST(DriverFailureTest, aMissingOrBrokenDatabaseIsReportedAsAMessageBeforeTheEnd) {
    test::TempDir dir;
    auto result = script::runScript("start\ndump", dir.path().string());
    EXPECT_EQ(result.status, script::kRanToEnd);
    ASSERT_EQ(result.dumps.size(), 1u);
    Json events = result.dumps[0]["events"];
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[0]["message"]["text"], "Kraj! Obrisana je baza podataka.");
    EXPECT_EQ(events[1], (Json{{"end", true}, {"status", 1}}));

    test::writeFile(dir.file("Baza.mdb"), "not a database at all");
    result = script::runScript("start\ndump", dir.path().string());
    EXPECT_EQ(result.status, script::kRanToEnd);
    events = result.dumps.at(0)["events"];
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[0]["message"]["icon"], "critical");
    EXPECT_EQ(events[1], (Json{{"end", true}, {"status", 1}}));
}
