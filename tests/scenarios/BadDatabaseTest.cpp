// SPDX-License-Identifier: GPL-3.0-or-later
// A database the game cannot use is refused at start-up with a message that says what is
// wrong and what to do, and the file is left exactly as it was.
#include "data/Schema.h"
#include "sqlcipher/sqlite3.h"
#include "support/ScriptSupport.h"

#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <limits>
#include <unistd.h>

using namespace kvz;
using namespace kvz::test;

namespace {

const std::string kReplace = " Вратите исправну базу у фасциклу игре.";
const std::string kMend = ". Исправите базу или вратите исправну у фасциклу игре.";
const std::string kDamaged = "Датотека Baza.mdb је оштећена или није база ове игре." + kReplace;

struct BadCase {
    std::string name;
    std::function<void(const std::string& path)> spoil; // puts the bad Baza.mdb at `path`
    std::string message;
};

// A file built from a spoiled sample fixture.
BadCase fixtureCase(std::string name, const std::function<void(Json&)>& change,
                    std::string message) {
    return {std::move(name),
            [change](const std::string& path) {
                Json f = sampleFixture();
                change(f);
                createDatabase(path, f);
            },
            std::move(message)};
}

// A valid file changed by SQL run with the game's password.
BadCase sqlCase(std::string name, std::string sql, std::string message) {
    return {std::move(name),
            [sql](const std::string& path) {
                createDatabase(path, sampleFixture());
                Connection(path, kDatabasePassword).exec(sql);
            },
            std::move(message)};
}

// A file whose bytes are made from those of a valid one.
BadCase bytesCase(std::string name, std::function<std::string(std::string)> bytes,
                  std::string message) {
    return {std::move(name),
            [bytes](const std::string& path) {
                static const std::string valid = freshDatabase();
                writeFile(path, bytes(valid));
            },
            std::move(message)};
}

std::string questionField(int row, const std::string& field, const std::string& fault) {
    return "У табели tbKviz, ред " + std::to_string(row) + ", поље " + field + " " + fault + kMend;
}

// An extra question at the end of the bank (row 16) with one bad field.
BadCase badQuestion(std::string name, const std::string& field, Json value, std::string fault) {
    auto add = [=](Json& f) {
        f["tbKviz"].push_back(question("Dodatno pitawe", 3));
        f["tbKviz"].back()[field] = value;
    };
    return fixtureCase(std::move(name), add, questionField(16, field, fault));
}

const std::string kNotAnAnswer = "није одговор од 1 до 4";
const std::string kNotALevel = "није ниво од 1 до 15";

std::vector<BadCase> badCases() {
    std::string bigText(100 * 1024, 'a');
    return {
        {"Missing", [](const std::string&) {}, "Kraj! Obrisana je baza podataka."},
        bytesCase(
            "Empty", [](std::string) { return std::string(); },
            "Датотека Baza.mdb је празна." + kReplace),
        bytesCase(
            "TruncatedToHalf", [](std::string s) { return s.substr(0, s.size() / 2); }, kDamaged),
        bytesCase(
            "TruncatedToOnePage", [](std::string s) { return s.substr(0, 1024); }, kDamaged),
        bytesCase(
            "OnePageOverwritten",
            [](std::string s) {
                for (std::size_t i = 5 * 1024; i < 6 * 1024; ++i) s[i] = static_cast<char>(i * 7);
                return s;
            },
            kDamaged),
        bytesCase(
            "RandomBytes",
            [](std::string s) {
                s.assign(8192, '\0');
                for (std::size_t i = 0; i < s.size(); ++i)
                    s[i] = static_cast<char>((i * 2654435761u) >> 13);
                return s;
            },
            kDamaged),
        // A database in the clear, as any SQLite tool writes one.
        {"NotEncrypted",
         [](const std::string& path) {
             sqlite3* db = nullptr;
             sqlite3_open(path.c_str(), &db);
             const char* sql = "CREATE TABLE tbStat (Slova)";
             EXPECT_EQ(sqlite3_exec(db, sql, nullptr, nullptr, nullptr), SQLITE_OK);
             sqlite3_close(db);
         },
         "Датотека Baza.mdb није заштићена лозинком игре." + kReplace},
        // The game's tables in a database protected by another password.
        {"WrongPassword",
         [](const std::string& path) {
             createSchema(Connection(path, "jasen", Connection::Mode::Create), true);
         },
         kDamaged},
        sqlCase("TableMissing", "DROP TABLE tbRezultati",
                "У бази нема табеле tbRezultati." + kReplace),
        sqlCase("FieldMissing",
                "CREATE TABLE t AS SELECT Slova, Start, Tac, Netac, PTac, PNetac, Reklama, Ime, "
                "Datum, Firma, Mjesto, Mail, Adresa, TelFax FROM tbStat; DROP TABLE tbStat; "
                "ALTER TABLE t RENAME TO tbStat",
                "У табели tbStat нема поља Moto." + kReplace),
        sqlCase("AnswerColumnsOutOfPlace",
                "CREATE TABLE t AS SELECT ID, Pitanje, B, A, V, G, RB, Tac, Odred FROM tbKviz; "
                "DROP TABLE tbKviz; ALTER TABLE t RENAME TO tbKviz",
                "У табели tbKviz нема поља A." + kReplace),
        fixtureCase(
            "NoSettingsRow", [](Json& f) { f.erase("tbStat"); },
            "Табела tbStat мора имати тачно један ред, а има их 0." + kReplace),
        fixtureCase(
            "TwoSettingsRows", [](Json& f) { f["tbStat"] = Json(2, f["tbStat"]); },
            "Табела tbStat мора имати тачно један ред, а има их 2." + kReplace),
        fixtureCase(
            "NineResults", [](Json& f) { f["tbRezultati"].erase(f["tbRezultati"].begin()); },
            "Табела tbRezultati мора имати најмање 10 редова, а има их 9." + kReplace),
        fixtureCase(
            "NullQuestion", [](Json& f) { f["tbKviz"][4]["Pitanje"] = nullptr; },
            questionField(5, "Pitanje", "је празно")),
        fixtureCase(
            "EmptyAnswer", [](Json& f) { f["tbKviz"][14]["V"] = ""; },
            questionField(15, "V", "је празно")),
        badQuestion("TacEmpty", "Tac", "", kNotAnAnswer),
        badQuestion("TacWord", "Tac", "dva", kNotAnAnswer),
        badQuestion("TacZero", "Tac", 0, kNotAnAnswer),
        badQuestion("TacFive", "Tac", 5, kNotAnAnswer),
        badQuestion("TacMinusOne", "Tac", -1, kNotAnAnswer),
        badQuestion("RbZero", "RB", 0, kNotALevel),
        badQuestion("RbSixteen", "RB", 16, kNotALevel),
        badQuestion("RbMinusOne", "RB", -1, kNotALevel),
        badQuestion("LongAnswer", "G", bigText, "је дуже од 1000 знакова"),
        badQuestion("LongNote", "Odred", bigText, "је дуже од 1000 знакова"),
        badQuestion("HighBytes", "Pitanje", "Ko je napisao \u0160aranu?",
                    "има знакове које игра не може да прикаже"),
        fixtureCase(
            "LongInstallationName", [bigText](Json& f) { f["tbStat"]["Ime"] = bigText; },
            "У табели tbStat, поље Ime је дуже од 1000 знакова" + kMend),
        fixtureCase(
            "HighBytesInAResult", [](Json& f) { f["tbRezultati"][6]["Ime"] = "\xd0\x90na"; },
            "У табели tbRezultati, ред 7, поље Ime има знакове које игра не може да прикаже" +
                kMend),
        fixtureCase(
            "CounterNotANumber", [](Json& f) { f["tbStat"]["PTac"] = "mnogo"; },
            "У табели tbStat, поље PTac није исправан бројач" + kMend),
        fixtureCase(
            "CounterAtTheTopOfItsRange",
            [](Json& f) { f["tbStat"]["Start"] = std::numeric_limits<std::int64_t>::max(); },
            "У табели tbStat, поље Start није исправан бројач" + kMend),
    };
}

void PrintTo(const BadCase& c, std::ostream* os) {
    *os << c.name;
}

class BadDatabase : public ::testing::TestWithParam<BadCase> {};

} // namespace

TEST_P(BadDatabase, isRefusedAtStartWithItsMessageAndLeftUntouched) {
    const BadCase& c = GetParam();
    ProgramFolder folder(nullptr);
    c.spoil(folder.file("Baza.mdb"));
    auto before = filesIn(folder.path());

    auto dumps = folder.run("start\nfocus Text1\ntype \"Ana\"\nkey 13\ndump end");
    const Json& end = dumpLabelled(dumps, "end");
    EXPECT_TRUE(end["ended"]);
    const Json said = {{"text", c.message}, {"title", "Kvizomat"}, {"icon", "critical"}};
    EXPECT_EQ(eventsOf(end, "message"), std::vector<Json>{said});
    EXPECT_EQ(eventsOf(end, "status"), std::vector<Json>{1});
    EXPECT_TRUE(filesIn(folder.path()) == before);
}

INSTANTIATE_TEST_SUITE_P(Startup, BadDatabase, ::testing::ValuesIn(badCases()),
                         [](const auto& testInfo) { return testInfo.param.name; });

// The driver runs as a user whose rights the file system limits: root's are not, so root
// runs it as nobody.
TEST(ReadOnlyProgramFolder, isRefusedAtStartWithAMessageAndTheFileIsLeftAsItWas) {
    namespace fs = std::filesystem;
    using P = fs::perms;
    const std::string as =
        geteuid() == 0 ? "setpriv --reuid=65534 --regid=65534 --clear-groups " : "";
    const struct {
        const char* name;
        P folder, file;
        const char* message;
    } cases[] = {{"folder", P(0555), P(0666), "Фасцикла игре "},
                 {"file", P(0777), P(0444), "Датотека "}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        fs::permissions(dir.path(), P(0755));
        const fs::path game = dir.path() / "game";
        const std::string db = (game / "Baza.mdb").string();
        fs::create_directory(game);
        createDatabase(db, sampleFixture());
        const std::string before = readFile(db);
        fs::permissions(db, c.file);
        fs::permissions(game, c.folder);

        std::string out;
        EXPECT_EQ(runCommand("printf 'start\\ndump\\n' | " + as + KVZ_PROGRAM_DIR +
                                 "/kvizomat-script --dir " + game.string(),
                             &out),
                  0)
            << out;
        fs::permissions(game, P(0755));
        const Json d = Json::parse(out.substr(0, out.find('\n')));
        const std::vector<Json> messages = eventsOf(d, "message");
        ASSERT_EQ(messages.size(), 1u) << d.dump();
        const std::string text = messages[0]["text"];
        EXPECT_TRUE(text.starts_with(c.message)) << text;
        EXPECT_TRUE(contains(text, "само за читање"));
        EXPECT_EQ(messages[0]["icon"], "critical");
        EXPECT_EQ(eventsOf(d, "status"), std::vector<Json>{1});
        EXPECT_EQ(readFile(db), before);
        EXPECT_FALSE(fs::exists(db + "-journal"));
    }
}
