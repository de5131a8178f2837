// The win celebration on Timer4 and the sponsor panel it leaves on screen.
#include "PresentationForm.h"

#include <gtest/gtest.h>

using namespace kvz;
using namespace kvz::test;

namespace {

// A window just after the right answer to question 15 (answer V), with 4000 points won
// and 90 points of speed bonus left.
class Celebration : public ::testing::Test {
  protected:
    Celebration() : f(*p.form) {
        f.Text1.caption = "Ana";
        f.lblStart_Click();
        f.QuestionNo = 15;
        f.SelectedAnswer = 3;
        for (int i = 1; i <= 4; ++i) f.lblKviz[i].visible = true;
        f.lblOsv.caption = "4000";
        f.lblTraka.caption = "90";
        f.WinCelebrating = True;
        f.WinStep = 0;
        f.Timer4.setEnabled(true);
    }

    // What blinks: the top rung, the status line and the "TA^NO!!!" line.
    std::vector<bool> blinking() const {
        return {f.Label3[1].visible, f.lblCIFRA[1].visible, f.Label1[1].visible,
                f.lblNajava[0].visible};
    }

    PresentationForm p;
    Form1& f;
};

} // namespace

TEST_F(Celebration, theTopRungAndStatusBlinkTwiceAndTheCorrectLineOnceBeforeTheAnswersGo) {
    f.tick(f.Timer4);
    f.tick(f.Timer4);
    EXPECT_EQ(blinking(), (std::vector<bool>{false, false, false, false}));
    f.tick(f.Timer4);
    EXPECT_EQ(blinking(), (std::vector<bool>{true, true, true, true}));
    EXPECT_TRUE(f.lblKviz[3].visible);
    f.tick(f.Timer4);
    EXPECT_EQ(blinking(), (std::vector<bool>{false, false, false, false}));
    EXPECT_EQ(f.lblNajava[0].caption, "PITAWE");
    f.tick(f.Timer4);
    EXPECT_EQ(blinking(), (std::vector<bool>{true, true, true, false}));
    for (int i = 0; i <= 4; ++i) EXPECT_FALSE(f.lblKviz[i].visible) << i;
    for (int i = 0; i <= 3; ++i) EXPECT_FALSE(f.Label5[i].visible) << i;
    EXPECT_EQ(f.WinStep, 5);
}

TEST_F(Celebration, aTickWhileNoWinIsCelebratedChangesNothing) {
    f.WinCelebrating = False;
    f.WinStep = 2;
    std::string amount = f.Label3[0].caption;
    f.tick(f.Timer4);
    EXPECT_EQ(f.WinStep, 2);
    EXPECT_EQ(f.Label3[0].caption, amount);
    EXPECT_NE(f.lblKviz[3].back, kOrange);
}

TEST(Sponsor, thePanelShowsTheSettingsFieldsAsBlackTextAndANullFieldAsEmpty) {
    Json fixture = sampleFixture();
    fixture["tbStat"]["Firma"] = "Znawe d.o.o.";
    fixture["tbStat"]["Mjesto"] = "Bawa Luka";
    fixture["tbStat"]["Mail"] = "info@znawe.example";
    fixture["tbStat"]["Adresa"] = "Glavna 1";
    fixture["tbStat"]["TelFax"] = "051 123 456";
    PresentationForm p(fixture);
    Form1& f = *p.form;
    for (int i = 0; i <= 10; ++i) f.lblSampioni[i].visible = true;
    f.ShowSponsor();
    const char* expected[] = {"Znawe d.o.o.", "Bawa Luka",   "info@znawe.example",
                              "Glavna 1",     "051 123 456", ""};
    for (int k = 0; k <= 5; ++k) {
        EXPECT_EQ(f.lblFirma[k].caption, expected[k]) << k;
        EXPECT_TRUE(f.lblFirma[k].transparent) << k;
        EXPECT_EQ(f.lblFirma[k].fore, kBlack) << k;
    }
    // Only the lower rows of the record-holder list make room for the panel.
    for (int i = 0; i <= 10; ++i) EXPECT_EQ(f.lblSampioni[i].visible, i <= 3) << i;
}
