// SPDX-License-Identifier: GPL-3.0-or-later
// The record-holder list: how it is shown, which ended games enter it and with what score.
#include "app/Form1.h"
#include "support/FakePlatform.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

using namespace kvz;
using namespace kvz::test;

namespace {

Json resultRow(const std::string& name, int rb, double skor) {
    return {{"Ime", name}, {"RB", rb}, {"Skor", skor}, {"Datum", "2003-06-10"}};
}

class RecordHoldersTest : public ::testing::Test {
  protected:
    // Opens the program on a list of results (ten free rows when none are given) and puts a
    // game named "Ana" in play.
    Form1& open(const Json& results = nullptr) {
        form_.reset();
        Json fixture = sampleFixture();
        if (!results.is_null()) fixture["tbRezultati"] = results;
        createDatabase(dir_.file("Baza.mdb"), fixture);
        platform_.folder = dir_.path().string();
        platform_.date = {2026, 3, 14};
        form_ = std::make_unique<Form1>(platform_, generator_);
        form_->Main();
        form_->Text1.caption = "Ana";
        form_->ResultPending = True;
        return *form_;
    }

    // A game lost or abandoned at question `questionNo` with `points`.
    void endGame(int questionNo, const std::string& points) {
        form_->QuestionNo = static_cast<Byte>(questionNo);
        form_->lblOsv.caption = points;
        form_->ResultsMode = True;
        form_->RecordHolders(form_->ResultsMode);
    }

    // A game won with `points` and the last speed bonus `traka`.
    void winGame(const std::string& points, const std::string& traka) {
        form_->QuestionNo = 15;
        form_->lblOsv.caption = points;
        form_->lblTraka.caption = traka;
        form_->ResultsMode = True;
        form_->RecordWinner(form_->ResultsMode);
    }

    Json storedRows() const {
        Connection conn(dir_.file("Baza.mdb"), kDatabasePassword);
        return exportDatabase(conn)["tbRezultati"];
    }

    // The rows that differ from the rows the test opened with.
    std::vector<Json> changedRows(const Json& before) const {
        Json after = storedRows();
        std::vector<Json> changed;
        for (std::size_t i = 0; i < after.size(); ++i)
            if (after[i] != before[i]) changed.push_back(after[i]);
        return changed;
    }

    TempDir dir_;
    FakePlatform platform_;
    Generator generator_;
    std::unique_ptr<Form1> form_;
};

Json tenRows(int rb, double firstSkor) {
    Json rows = Json::array();
    for (int i = 0; i < 10; ++i)
        rows.push_back(
            resultRow("Igra" + std::string(1, static_cast<char>('a' + i)), rb, firstSkor + i));
    return rows;
}

TEST_F(RecordHoldersTest, theListShowsTenRowsByLevelThenScoreWithFreeRowsEmpty) {
    Json rows = Json::array({resultRow("Ana", 7, 4000), resultRow("", 9, 100),
                             resultRow("Mika", 7, 4500), resultRow("Pera Kova~", 12, 90000)});
    for (int i = 0; i < 6; ++i) rows.push_back(resultRow("", 0, 0));
    Form1& f = open(rows);
    const std::vector<std::string> expected = {
        "Pera Kova~ 12 - 90000", "", "Mika 7 - 4500", "Ana 7 - 4000", "", "", "", "", "", ""};
    for (int i = 1; i <= 10; ++i)
        EXPECT_EQ(f.lblSampioni[i].caption, expected[static_cast<std::size_t>(i - 1)]) << i;
}

TEST_F(RecordHoldersTest, aFullListTakesAHigherLevelOrMorePointsOnTheWeakestLevelOnly) {
    Json rows = tenRows(5, 1000); // the weakest row: level 5, 1000 points
    open(rows);
    Json before = storedRows();
    endGame(6, "1000");
    EXPECT_EQ(storedRows(), before) << "the same level and points";
    open(rows);
    endGame(5, "999999");
    EXPECT_EQ(storedRows(), before) << "a lower level";

    open(rows);
    endGame(6, "1001");
    auto changed = changedRows(before);
    ASSERT_EQ(changed.size(), 1u);
    EXPECT_EQ(changed[0]["Ime"], "Ana");
    EXPECT_EQ(changed[0]["Skor"], 1001);
    EXPECT_EQ(storedRows()[0]["Ime"], "Ana") << "the weakest row was replaced";
}

TEST_F(RecordHoldersTest, withoutAGameInPlayNothingIsStored) {
    open();
    form_->ResultPending = False;
    Json before = storedRows();
    endGame(5, "1000");
    winGame("5000", "100");
    EXPECT_EQ(storedRows(), before);
}

TEST_F(RecordHoldersTest, aWinnerScoresItsPointsTheLastBonusAndAThousandPerUnusedHelp) {
    struct Case {
        const char* name;
        bool fifty, phone, audience, check, replaced;
        int bonus;
    };
    const Case cases[] = {
        {"no help used", true, true, true, true, false, 4000},
        {"only the replacement used", true, true, true, true, true, 3500},
        {"everything used", false, false, false, false, true, -500},
        {"the phone and the check used", true, false, true, false, false, 2000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Form1& f = open();
        f.Image2[0].visible = c.fifty;
        f.Image2[2].visible = c.phone;
        f.Image2[4].visible = c.audience;
        f.HostCheckAvailable = c.check ? True : False;
        f.ReplacementUsed = c.replaced ? True : False;
        Json before = storedRows();
        winGame("6500", "1200");
        auto changed = changedRows(before);
        ASSERT_EQ(changed.size(), 1u);
        EXPECT_EQ(changed[0]["RB"], 15);
        EXPECT_EQ(changed[0]["Skor"], 6500 + 1200 + c.bonus);
        EXPECT_EQ(changed[0]["Datum"], "2026-03-14");
    }
}

TEST_F(RecordHoldersTest, aWinnerEntersAFullListOfWinnersOnlyWithMorePlainPoints) {
    Json rows = tenRows(15, 7000); // the weakest winner scored 7000
    open(rows);
    Json before = storedRows();
    winGame("7000", "1500");
    EXPECT_EQ(storedRows(), before) << "a large bonus does not count in the comparison";

    open(rows);
    winGame("7001", "0");
    auto changed = changedRows(before);
    ASSERT_EQ(changed.size(), 1u);
    EXPECT_EQ(changed[0]["Skor"], 7001 + 4000);
}

} // namespace
