// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/BankCheck.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>
#include <set>

using namespace kvz;

namespace {

const std::string kTool = std::string(KVZ_PROGRAM_DIR) + "/kvizomat-db";
const std::string kBundled = std::string(KVZ_PROGRAM_DIR) + "/Baza.mdb";

class DbTool : public ::testing::Test {
  protected:
    void SetUp() override {
        db = dir.file("Baza.mdb");
        test::writeFile(dir.file("f.json"), test::sampleFixture(1).dump());
        ASSERT_EQ(run("create " + db + " " + dir.file("f.json")), 0) << out;
    }
    int run(const std::string& args) { return test::runCommand(kTool + " " + args, &out); }

    test::TempDir dir;
    std::string db, out;
};

} // namespace

TEST_F(DbTool, anImportWithABadRowNothingToAddOrAGuessedLevelChangesNothingAndSaysWhy) {
    const std::string before = test::readFile(db);
    test::writeFile(dir.file("good.csv"), "Pitanje,A,B,V,G,RB,Tac\nDobro?,a,b,v,g,1,1\n");
    test::writeFile(dir.file("bad.csv"),
                    "Pitanje,A,B,V,G,RB,Tac\nDobro?,a,b,v,g,1,1\nLoše?,a,b,v,g,1,7\n");
    EXPECT_EQ(run("import " + db + " " + dir.file("good.csv") + " " + dir.file("bad.csv")), 1);
    EXPECT_TRUE(test::contains(out, "bad.csv:3:"));
    EXPECT_TRUE(test::contains(out, "nothing was imported"));

    test::writeFile(dir.file("empty.txt"), "");
    test::writeFile(dir.file("q.txt"), "P\nA. a\nB. b\nC. c\nD. d\nANSWER: A\n");
    EXPECT_EQ(run("import " + db + " --level 2 " + dir.file("empty.txt") + " /dev/null " +
                  dir.path().string()),
              1);
    EXPECT_TRUE(test::contains(out, "empty.txt:1: holds no questions"));
    EXPECT_TRUE(test::contains(out, "/dev/null:1: holds no questions"));
    EXPECT_TRUE(test::contains(out, dir.path().string() + ": is a folder"));
    for (const char* level : {"3x", "0", "", "--level"}) {
        EXPECT_EQ(run("import " + db + " " + dir.file("q.txt") + " --level \"" + level + "\""), 2)
            << level;
        EXPECT_TRUE(test::contains(out, "--level takes a level from 1 to 15"));
    }
    EXPECT_EQ(test::readFile(db), before);
    EXPECT_EQ(run("import " + db + " --level 3 " + dir.file("q.txt")), 0) << out;
    EXPECT_TRUE(test::contains(out, "imported 1 question(s)"));
}

TEST_F(DbTool, checkReportsBadRowsAndUnplayableLevels) {
    EXPECT_EQ(run("check " + db), 0) << out;
    EXPECT_TRUE(test::contains(out, "Every level can be played; no bad rows."));

    Json f = test::sampleFixture(1);
    f["tbKviz"][3]["Tac"] = "dva";
    f["tbKviz"][8]["A"] = nullptr;
    f["tbKviz"].erase(f["tbKviz"].begin() + 11);
    test::writeFile(dir.file("bad.json"), f.dump());
    ASSERT_EQ(run("create " + db + " " + dir.file("bad.json")), 0) << out;
    EXPECT_EQ(run("check " + db), 1);
    EXPECT_TRUE(test::contains(out, "row 4: Tac \"dva\""));
    EXPECT_TRUE(test::contains(out, "row 9: A is empty"));
    EXPECT_TRUE(test::contains(out, "12  0  0  NOT PLAYABLE"));
    EXPECT_TRUE(test::contains(out, "Not every level can be played."));
}

TEST_F(DbTool, aWrongPasswordOrAMissingFileIsAClearErrorNotACrash) {
    EXPECT_EQ(run("export " + dir.file("nema.mdb")), 1);
    EXPECT_TRUE(test::contains(out, "no such file"));
    test::writeFile(dir.file("plain.mdb"), std::string(2048, '\0'));
    EXPECT_EQ(run("check " + dir.file("plain.mdb")), 1);
    EXPECT_TRUE(test::contains(out, "not a Kvizomat database"));
    EXPECT_EQ(run("frobnicate"), 2);
}

TEST_F(DbTool, wordsReadOtherwiseInCyrillicAreWarnedAboutAndImportedUnlessStrict) {
    const std::string file = dir.file("q.csv");
    test::writeFile(file, "Pitanje,A,B,V,G,RB,Tac\n"
                          "Ko je bio Petar II?,Pjesnik,Car,Kralj,Knez,3,1\n"
                          "Šta nosi DNA?,Nasleđe,Ništa,Vodu,Vazduh,4,1\n"
                          "Gdje je New York?,SAD,Kanada,Meksiko,Kuba,2,1\n");
    const std::string before = test::readFile(db);

    EXPECT_EQ(run("import " + db + " --strict " + file), 1) << out;
    EXPECT_TRUE(test::contains(out, "nothing was imported"));
    EXPECT_EQ(test::readFile(db), before);

    ASSERT_EQ(run("import " + db + " " + file), 0) << out;
    for (const std::string& warning :
         {file + ":2: warning: \"Pitanje\": \"II\" is a Roman numeral",
          file + ":3: warning: \"Pitanje\": \"DNA\" is an abbreviation",
          file + ":4: warning: \"Pitanje\": \"New\" has letters outside the Serbian alphabet",
          file + ":4: warning: \"A\": \"SAD\" is an abbreviation",
          std::string("imported 3 question(s), 5 warning(s)")})
        EXPECT_TRUE(test::contains(out, warning));
    const Json after = exportDatabase(Connection(db, kDatabasePassword));
    EXPECT_EQ(after["tbKviz"][17]["Pitanje"], "Gdje je Nev Jork?");
}

TEST_F(DbTool, checkWarnsOfALevelWithOneQuestion) {
    Json f = test::sampleFixture(2);
    f["tbKviz"].erase(f["tbKviz"].begin() + 6); // level 4 keeps one
    test::writeFile(dir.file("f.json"), f.dump());
    ASSERT_EQ(run("create " + db + " " + dir.file("f.json")), 0) << out;
    EXPECT_EQ(run("check " + db), 0) << out;
    EXPECT_TRUE(test::contains(out, "warning: level 4 has one question"));
    EXPECT_EQ(out.find("warning: level 5"), std::string::npos) << out;
}

TEST(BundledDatabase, holdsAPlayableBankOfAHundredQuestionsALevelTheRightAnswersSpreadOverLetters) {
    Connection conn(kBundled, kDatabasePassword);
    auto report = checkBank(conn);
    EXPECT_TRUE(report.clean()) << formatReport(report);
    EXPECT_EQ(report.settingsRows, 1);
    EXPECT_EQ(report.resultRows, 10);
    const Json db = exportDatabase(conn);
    std::array<std::array<int, 5>, 16> byLetter{};
    std::size_t withNote = 0;
    std::set<std::string> asked;
    for (const auto& q : db["tbKviz"]) {
        ++byLetter[q["RB"].get<std::size_t>()][q["Tac"].get<std::size_t>()];
        withNote += q["Odred"].is_string() && !q["Odred"].get<std::string>().empty();
        EXPECT_TRUE(asked.insert(q["Pitanje"]).second) << "asked twice: " << q["Pitanje"];
    }
    std::size_t total = db["tbKviz"].size();
    EXPECT_GE(total, 1500u);
    EXPECT_GE(withNote * 2, total) << "an explanation on at least half of the questions";
    for (std::size_t level = 1; level <= 15; ++level) {
        int n = byLetter[level][1] + byLetter[level][2] + byLetter[level][3] + byLetter[level][4];
        EXPECT_GE(n, 100) << "level " << level;
        for (int letter = 1; letter <= 4; ++letter)
            EXPECT_LE(byLetter[level][static_cast<std::size_t>(letter)] * 100, n * 30)
                << "level " << level << " letter " << letter;
    }
    // The opening screen's settings: no installation name, the project's own sponsor.
    EXPECT_TRUE(db["tbStat"]["Ime"].is_null());
    EXPECT_FALSE(db["tbStat"]["Firma"].get<std::string>().empty());
    EXPECT_GE(db["tbSar"].size(), 3u);
    for (const auto& r : db["tbRezultati"]) EXPECT_EQ(r["Ime"], "");
}
