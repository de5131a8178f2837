// A database the game cannot use is refused at start-up with a message that says what is
// wrong and what to do, and the file is left exactly as it was.
#include "data/Schema.h"
#include "sqlcipher/sqlite3.h"
#include "support/ScriptSupport.h"

#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <limits>
#include <map>

using namespace kvz;
using namespace kvz::test;

namespace {

const std::string kReplace = " Vratite ispravnu bazu u folder igre.";
const std::string kMend = ". Ispravite bazu ili vratite ispravnu u folder igre.";
const std::string kDamaged = "Datoteka Baza.mdb je ostecena ili nije baza ove igre." + kReplace;

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
            "Datoteka Baza.mdb nije zasticena lozinkom igre." + kReplace};
}

std::string questionField(int row, const std::string& field, const std::string& fault) {
    return "U tabeli tbKviz, red " + std::to_string(row) + ", polje " + field + " " + fault + kMend;
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

const std::string kNotAnAnswer = "nije odgovor od 1 do 4";
const std::string kNotALevel = "nije nivo od 1 do 15";

std::vector<BadCase> badCases() {
    std::string bigText(100 * 1024, 'a');
    return {
        {"Missing", [](const std::string&, Json&) {}, "Kraj! Obrisana je baza podataka."},
        bytesCase(
            "Empty", [](const std::string&) { return std::string(); },
            "Datoteka Baza.mdb je prazna." + kReplace),
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
                "U bazi nema tabele tbRezultati." + kReplace),
        sqlCase("FieldMissing",
                "CREATE TABLE t AS SELECT Slova, Start, Tac, Netac, PTac, PNetac, Reklama, Ime, "
                "Datum, Firma, Mjesto, Mail, Adresa, TelFax FROM tbStat; DROP TABLE tbStat; "
                "ALTER TABLE t RENAME TO tbStat",
                "U tabeli tbStat nema polja Moto." + kReplace),
        sqlCase("AnswerColumnsOutOfPlace",
                "CREATE TABLE t AS SELECT ID, Pitanje, B, A, V, G, RB, Tac, Odred FROM tbKviz; "
                "DROP TABLE tbKviz; ALTER TABLE t RENAME TO tbKviz",
                "U tabeli tbKviz nema polja A." + kReplace),
        fixtureCase(
            "NoSettingsRow", [](Json& f) { f.erase("tbStat"); },
            "Tabela tbStat mora imati tacno jedan red, a ima ih 0." + kReplace),
        fixtureCase(
            "TwoSettingsRows",
            [](Json& f) {
                f["tbStat"] = Json::array({f["tbStat"], f["tbStat"]});
            },
            "Tabela tbStat mora imati tacno jedan red, a ima ih 2." + kReplace),
        fixtureCase(
            "NineResults", [](Json& f) { f["tbRezultati"].erase(f["tbRezultati"].begin()); },
            "Tabela tbRezultati mora imati najmanje 10 redova, a ima ih 9." + kReplace),
        fixtureCase(
            "NullQuestion", [](Json& f) { f["tbKviz"][4]["Pitanje"] = nullptr; },
            questionField(5, "Pitanje", "je prazno")),
        fixtureCase(
            "EmptyAnswer", [](Json& f) { f["tbKviz"][14]["V"] = ""; },
            questionField(15, "V", "je prazno")),
        badQuestion("TacEmpty", "Tac", "", kNotAnAnswer),
        badQuestion("TacWord", "Tac", "dva", kNotAnAnswer),
        badQuestion("TacZero", "Tac", 0, kNotAnAnswer),
        badQuestion("TacFive", "Tac", 5, kNotAnAnswer),
        badQuestion("TacMinusOne", "Tac", -1, kNotAnAnswer),
        badQuestion("RbZero", "RB", 0, kNotALevel),
        badQuestion("RbSixteen", "RB", 16, kNotALevel),
        badQuestion("RbMinusOne", "RB", -1, kNotALevel),
        badQuestion("LongAnswer", "G", bigText, "je duze od 1000 znakova"),
        badQuestion("LongNote", "Odred", bigText, "je duze od 1000 znakova"),
        badQuestion("HighBytes", "Pitanje",
                    "Ko je napisao \xc5\xa0"
                    "aranu?",
                    "ima znakove koje igra ne moze da prikaze"),
        fixtureCase(
            "LongInstallationName", [bigText](Json& f) { f["tbStat"]["Ime"] = bigText; },
            "U tabeli tbStat, polje Ime je duze od 1000 znakova" + kMend),
        fixtureCase(
            "HighBytesInAResult", [](Json& f) { f["tbRezultati"][6]["Ime"] = "\xd0\x90na"; },
            "U tabeli tbRezultati, red 7, polje Ime ima znakove koje igra ne moze da prikaze" +
                kMend),
        fixtureCase(
            "CounterNotANumber", [](Json& f) { f["tbStat"]["PTac"] = "mnogo"; },
            "U tabeli tbStat, polje PTac nije ispravan brojac" + kMend),
        fixtureCase(
            "CounterAtTheTopOfItsRange",
            [](Json& f) { f["tbStat"]["Start"] = std::numeric_limits<std::int64_t>::max(); },
            "U tabeli tbStat, polje Start nije ispravan brojac" + kMend),
    };
}

void PrintTo(const BadCase& c, std::ostream* os) {
    *os << c.name;
}

class BadDatabase : public ::testing::TestWithParam<BadCase> {};

// The folder's files with their contents, so that nothing made beside the database (a
// journal) goes unnoticed either.
std::map<std::string, std::string> folderContents(const std::string& folder) {
    std::map<std::string, std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        files[entry.path().filename().string()] = readFile(entry.path().string());
    return files;
}

} // namespace

TEST_P(BadDatabase, isRefusedAtStartWithItsMessageAndLeftUntouched) {
    const BadCase& c = GetParam();
    ProgramFolder folder(nullptr);
    Json fixture = sampleFixture();
    c.spoil(folder.file("Baza.mdb"), fixture);
    auto before = folderContents(folder.path());

    auto dumps = folder.run("start\nfocus Text1\ntype \"Ana\"\nkey 13\ndump end");
    const Json& end = dumpLabelled(dumps, "end");
    EXPECT_TRUE(end["ended"]);
    auto messages = eventsOf(end, "message");
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0]["text"], c.message);
    EXPECT_EQ(messages[0]["title"], "Kvizomat");
    EXPECT_EQ(messages[0]["icon"], "critical");
    EXPECT_TRUE(folderContents(folder.path()) == before);
}

INSTANTIATE_TEST_SUITE_P(Startup, BadDatabase, ::testing::ValuesIn(badCases()),
                         [](const auto& info) { return info.param.name; });
