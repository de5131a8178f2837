// SPDX-License-Identifier: GPL-3.0-or-later
// The DA guard against a panel reopened by a double click, driven on the window directly.
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
