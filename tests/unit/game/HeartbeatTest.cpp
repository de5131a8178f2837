// The game's heartbeat Timer2 and the DA guard, driven on the window directly: the friend
// call and the audience chart are started here by hand, as the jokers would start them.
#include "app/Form1.h"
#include "support/FakePlatform.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>
#include <memory>

using namespace kvz;
using namespace kvz::test;

namespace {

// A window over the sample bank (answer A right at every level) with a game started.
class Heartbeat : public ::testing::Test {
  protected:
    void SetUp() override {
        createDatabase(dir.file("Baza.mdb"), sampleFixture());
        writeFile(dir.file("Mil.wav"), "");
        platform.folder = dir.path().string();
        form = std::make_unique<Form1>(platform, rnd);
        form->Main();
        form->Text1.caption = "Ana";
        form->lblStart_Click();
    }

    void ticks(Timer& t, int n) {
        for (int i = 0; i < n; ++i) form->tick(t);
    }
    void beat(int n = 1) { ticks(form->Timer2, n); }
    // The announcement runs its ten steps: the question is live.
    void showQuestion() { ticks(form->timNajava, 10); }
    void confirm(int k) {
        form->click(form->lblKviz[k]);
        form->click(form->lblDANE[0]);
    }

    TempDir dir;
    FakePlatform platform;
    Generator rnd;
    std::unique_ptr<Form1> form;
};

} // namespace

TEST_F(Heartbeat, aPanelReopenedAfterARightAnswerDoesNotJudgeTheNextQuestionByTheOldMark) {
    showQuestion();
    confirm(1);
    form->lblDANE_DblClick(0);
    ASSERT_TRUE(form->Frame1.visible);
    ticks(form->Timer3, 6);
    showQuestion();
    ASSERT_EQ(form->QuestionNo, 2);
    form->lblDANE_Click(0);
    EXPECT_FALSE(form->Frame1.visible);
    EXPECT_NE(form->lblNajava[0].caption, "TA^NO!!!");
    EXPECT_FALSE(form->Timer3.enabled());
    EXPECT_EQ(form->AnswerLocked, False);
}

TEST_F(Heartbeat, aPanelReopenedAfterTheTopPrizeWinsNothingTwice) {
    form->QuestionNo = 15;
    showQuestion();
    confirm(1);
    ASSERT_EQ(form->WinCelebrating, True);
    form->lblDANE_DblClick(0);
    form->lblDANE_Click(0);
    EXPECT_EQ(platform.sounds.size(), 1u);
    // From step 4 the banner no longer reads "TA^NO!!!".
    ticks(form->Timer4, 4);
    form->lblDANE_DblClick(0);
    form->lblDANE_Click(0);
    EXPECT_EQ(form->WinStep, 4);
    EXPECT_EQ(platform.sounds.size(), 1u);
}

TEST_F(Heartbeat, theFriendCallCountsDownFromThirtyAndClosesItsPanelAtStepThirty) {
    form->lblTime.caption = "30";
    form->Frame2.visible = true;
    form->FriendCertainty = "80 %";
    form->FriendCallRunning = True;
    std::vector<std::string> shown;
    for (int step = 1; step <= 30; ++step) {
        beat();
        shown.push_back(form->lblTime.caption);
        if (step == 7) {
            EXPECT_EQ(form->Label7[2].caption, "Prijateq:");
        }
    }
    std::vector<std::string> expected{"29", "29", "28", "28", "27", "27", "26", "26", "25"};
    for (int n = 24; n >= 5; --n) expected.push_back(std::to_string(n));
    expected.push_back("0");
    EXPECT_EQ(shown, expected);
    EXPECT_EQ(form->Label7[2].caption, "Prijateq: 80 %");
    EXPECT_TRUE(form->Label7[1].visible);
    EXPECT_FALSE(form->Frame2.visible);
    EXPECT_EQ(form->FriendCallRunning, False);
    EXPECT_EQ(form->FriendCallStep, 0);
    beat();
    EXPECT_EQ(form->lblTime.caption, "0");
}

TEST_F(Heartbeat, theAudienceChartAppearsAnswerByAnswerAndItsThanksButtonLast) {
    std::vector<Control*> pieces;
    for (int k = 0; k <= 3; ++k)
        for (Control* c : {&form->lblHvala[k + 1], &form->shpPub[k], &form->lblProc[k]})
            pieces.push_back(c);
    pieces.push_back(&form->lblHvala[0]);
    for (Control* c : pieces) c->visible = false;
    form->AnswersEnabled = False;
    bool heading = form->lblSampioni[0].visible;
    for (std::size_t step = 0; step < pieces.size(); ++step) {
        beat();
        for (std::size_t i = 0; i < pieces.size(); ++i)
            EXPECT_EQ(pieces[i]->visible, i <= step) << "tick " << step + 1 << ", piece " << i;
        EXPECT_EQ(form->lblSampioni[0].visible, step % 2 == 1 ? heading : !heading);
    }
    EXPECT_EQ(form->ChartRevealStep, 0);
}
