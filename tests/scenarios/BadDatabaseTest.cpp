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
    // Puts the bad Baza.mdb into the program folder, made from a valid sample fixture.
    std::function<void(const std::string& path, Json& fixture)> spoil;
    std::string message;
};

using Spoil = std::function<void(Json&)>;

// A file built from a spoiled fixture.
BadCase fixtureCase(std::string name, const Spoil& change, std::string message) {
    return {std::move(name),
            [change](const std::string& path, Json& f) {
                change(f);
                createDatabase(path, f);
            },
            std::move(message)};
}

// A valid file changed by SQL run with the game's password.
BadCase sqlCase(std::string name, std::string sql, std::string message) {
    return {std::move(name),
            [sql](const std::string& path, Json& f) {
                createDatabase(path, f);
                Connection(path, kDatabasePassword).exec(sql);
            },
            std::move(message)};
}

// The bytes of a valid database made from the sample fixture.
const std::string& validBytes() {
    static const std::string bytes = [] {
        TempDir dir;
        createDatabase(dir.file("Baza.mdb"), sampleFixture());
        return readFile(dir.file("Baza.mdb"));
    }();
    return bytes;
}

// A file whose bytes are made from those of a valid one.
BadCase bytesCase(std::string name, std::function<std::string(const std::string&)> bytes,
                  std::string message) {
    return {std::move(name),
            [bytes](const std::string& path, Json&) { writeFile(path, bytes(validBytes())); },
            std::move(message)};
}

// The game's tables in a database protected by another password.
BadCase wrongPasswordCase() {
    return {"WrongPassword",
            [](const std::string& path, Json&) {
                Connection conn(path, "jasen", Connection::Mode::Create);
                createSchema(conn, true);
            },
            kDamaged};
}

// A database in the clear, as any SQLite tool writes one.
BadCase notEncryptedCase() {
    return {"NotEncrypted",
            [](const std::string& path, Json&) {
                sqlite3* db = nullptr;
                ASSERT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK);
                EXPECT_EQ(sqlite3_exec(db, "CREATE TABLE tbStat (Slova, Start)", nullptr, nullptr,
                                       nullptr),
                          SQLITE_OK);
                sqlite3_close(db);
            },
            "Датотека Baza.mdb није заштићена лозинком игре." + kReplace};
}

std::string questionField(int row, const std::string& field, const std::string& fault) {
    return "У табели tbKviz, ред " + std::to_string(row) + ", поље " + field + " " + fault + kMend;
}

Json questionWith(const std::string& field, Json value) {
    Json q = question("Dodatno pitawe", 3);
    q[field] = std::move(value);
    return q;
}

// An extra question at the end of the bank (row 16) with one bad field.
BadCase badQuestion(std::string name, const std::string& field, Json value, std::string fault) {
    return fixtureCase(
        std::move(name), [=](Json& f) { f["tbKviz"].push_back(questionWith(field, value)); },
        questionField(16, field, fault));
}

const std::string kNotAnAnswer = "није одговор од 1 до 4";
const std::string kNotALevel = "није ниво од 1 до 15";

std::vector<BadCase> badCases() {
    std::string bigText(100 * 1024, 'a');
    return {
        {"Missing", [](const std::string&, Json&) {}, "Kraj! Obrisana je baza podataka."},
        bytesCase(
            "Empty", [](const std::string&) { return std::string(); },
            "Датотека Baza.mdb је празна." + kReplace),
        bytesCase(
            "TruncatedToHalf",
            [](const std::string& valid) { return valid.substr(0, valid.size() / 2); }, kDamaged),
        bytesCase(
            "TruncatedToOnePage", [](const std::string& valid) { return valid.substr(0, 1024); },
            kDamaged),
        bytesCase(
            "OnePageOverwritten",
            [](const std::string& valid) {
                std::string s = valid;
                for (std::size_t i = 5 * 1024; i < 6 * 1024; ++i) s[i] = static_cast<char>(i * 7);
                return s;
            },
            kDamaged),
        bytesCase(
            "RandomBytes",
            [](const std::string&) {
                std::string s(8192, '\0');
                for (std::size_t i = 0; i < s.size(); ++i)
                    s[i] = static_cast<char>((i * 2654435761u) >> 13);
                return s;
            },
            kDamaged),
        notEncryptedCase(),
        wrongPasswordCase(),
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
            "TwoSettingsRows",
            [](Json& f) {
                f["tbStat"] = Json::array({f["tbStat"], f["tbStat"]});
            },
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
        badQuestion("HighBytes", "Pitanje",
                    "Ko je napisao \xc5\xa0"
                    "aranu?",
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
    Json fixture = sampleFixture();
    c.spoil(folder.file("Baza.mdb"), fixture);
    auto before = filesIn(folder.path());

    auto dumps = folder.run("start\nfocus Text1\ntype \"Ana\"\nkey 13\ndump end");
    const Json& end = dumpLabelled(dumps, "end");
    EXPECT_TRUE(end["ended"]);
    auto messages = eventsOf(end, "message");
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0]["text"], c.message);
    EXPECT_EQ(messages[0]["title"], "Kvizomat");
    EXPECT_EQ(messages[0]["icon"], "critical");
    EXPECT_EQ(eventsOf(end, "status"), std::vector<Json>{1});
    EXPECT_TRUE(filesIn(folder.path()) == before);
}

INSTANTIATE_TEST_SUITE_P(Startup, BadDatabase, ::testing::ValuesIn(badCases()),
                         [](const auto& testInfo) { return testInfo.param.name; });

// ---- A folder or file the program may not write ----------------------------------------

namespace {

// Runs the driver on `folder` as a user whose rights the file system limits: root's are
// not, so root runs it as nobody. Returns the dump of "start" then "dump".
Json startWithoutWriteRights(const std::string& folder) {
    const std::string driver = std::string(KVZ_PROGRAM_DIR) + "/kvizomat-script";
    const std::string as =
        geteuid() == 0 ? "setpriv --reuid=65534 --regid=65534 --clear-groups " : "";
    std::string out;
    EXPECT_EQ(runCommand("printf 'start\\ndump\\n' | " + as + driver + " --dir " + folder, &out), 0)
        << out;
    return Json::parse(out.substr(0, out.find('\n')));
}

} // namespace

TEST(ReadOnlyProgramFolder, isRefusedAtStartWithAMessageAndTheFileIsLeftAsItWas) {
    namespace fs = std::filesystem;
    using P = fs::perms;
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
        fs::create_directory(game);
        createDatabase((game / "Baza.mdb").string(), sampleFixture());
        const std::string before = readFile((game / "Baza.mdb").string());
        fs::permissions(game / "Baza.mdb", c.file);
        fs::permissions(game, c.folder);

        const Json d = startWithoutWriteRights(game.string());
        fs::permissions(game, P(0755));
        const std::vector<Json> messages = eventsOf(d, "message");
        ASSERT_EQ(messages.size(), 1u) << d.dump();
        const std::string text = messages[0]["text"];
        EXPECT_EQ(text.rfind(c.message, 0), 0u) << text;
        EXPECT_NE(text.find("само за читање"), std::string::npos) << text;
        EXPECT_EQ(messages[0]["icon"], "critical");
        EXPECT_EQ(eventsOf(d, "status"), std::vector<Json>{1});
        EXPECT_EQ(readFile((game / "Baza.mdb").string()), before);
        EXPECT_FALSE(fs::exists(game / "Baza.mdb-journal"));
    }
}
