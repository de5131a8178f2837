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

    // A game that ends at question `questionNo` with `points`: lost or abandoned, or won with
    // the last speed bonus `traka`.
    void finish(int questionNo, const std::string& points, const char* traka = nullptr) {
        form_->QuestionNo = static_cast<Byte>(questionNo);
        form_->lblOsv.caption = points;
        form_->ResultsMode = True;
        if (traka == nullptr) return form_->RecordHolders(form_->ResultsMode);
        form_->lblTraka.caption = traka;
        form_->RecordWinner(form_->ResultsMode);
    }

    Json storedRows() const {
        return exportDatabase(Connection(dir_.file("Baza.mdb"), kDatabasePassword))["tbRezultati"];
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
            resultRow(std::string("Igra") + static_cast<char>('a' + i), rb, firstSkor + i));
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

// Lists of ten rows on one level, the weakest first: level 5 with 1000 points, or winners
// with 7000, whom a winner beats only with more plain points, the bonus left out.
TEST_F(RecordHoldersTest, aFullListTakesOnlyAGameBetterThanItsWeakestRowAndInThatRow) {
    const struct {
        const char* name;
        int level, questionNo;
        const char *points, *traka;
        int stored; // the score that enters the list; 0: none does
    } cases[] = {
        {"the same level and points", 5, 6, "1000", nullptr, 0},
        {"a lower level", 5, 5, "999999", nullptr, 0},
        {"more points on the level", 5, 6, "1001", nullptr, 1001},
        {"a winner with a large bonus", 15, 15, "7000", "1500", 0},
        {"a winner with more plain points", 15, 15, "7001", "0", 7001 + 4000},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        open(tenRows(c.level, c.level == 15 ? 7000 : 1000));
        const Json before = storedRows();
        finish(c.questionNo, c.points, c.traka);
        const auto changed = changedRows(before);
        ASSERT_EQ(changed.size(), c.stored == 0 ? 0u : 1u);
        if (c.stored == 0) continue;
        EXPECT_EQ(changed[0]["Skor"], c.stored);
        EXPECT_EQ(storedRows()[0]["Ime"], "Ana") << "the weakest row was replaced";
    }
}

TEST_F(RecordHoldersTest, aWinnerScoresItsPointsTheLastBonusAndAThousandPerUnusedHelpIfInPlay) {
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
        finish(15, "6500", "1200");
        auto changed = changedRows(before);
        ASSERT_EQ(changed.size(), 1u);
        EXPECT_EQ(changed[0]["RB"], 15);
        EXPECT_EQ(changed[0]["Skor"], 6500 + 1200 + c.bonus);
        EXPECT_EQ(changed[0]["Datum"], "2026-03-14");
    }

    // Without a game in play nothing is stored, lost or won.
    open().ResultPending = False;
    const Json before = storedRows();
    finish(5, "1000");
    finish(15, "5000", "100");
    EXPECT_EQ(storedRows(), before);
}

} // namespace
