// SPDX-License-Identifier: GPL-3.0-or-later
#include "JokerGame.h"

#include "data/Settings.h"

namespace kvz::test {

constexpr char kLetters[] = "ABVG";

void JokerGame::SetUp() {
    createDatabase(dir.file("Baza.mdb"), sampleFixture());
    platform.folder = dir.path().string();
    form = std::make_unique<Form1>(platform, rnd);
    form->Main();
    form->Text1.caption = "Pera";
    form->lblStart_Click();
    while (form->timNajava.enabled()) form->tick(form->timNajava);
    ASSERT_TRUE(form->RsQuestion.has_value());
    ASSERT_TRUE(form->lblKviz[4].visible);
}

void JokerGame::ask(int level, Value tac, std::int64_t position) {
    QuestionRow row;
    row.position = position;
    row.tac = std::move(tac);
    form->RsQuestion = row;
    form->QuestionNo = static_cast<Byte>(level);
    for (int k = 1; k <= 4; ++k) {
        form->lblKviz[k].visible = true;
        form->Label5[k - 1].visible = true;
    }
    for (int i = 0; i <= 5; ++i) form->Image2[i].visible = i % 2 == 0;
    form->lblStart.caption = " Pera";
    form->lblIzlaz.caption = "Odustajem";
    form->lblNajava[0].caption = "PITAWE";
    form->timNajava.setEnabled(false);
    form->Frame1.visible = form->Frame2.visible = false;
    form->AnswersEnabled = True;
    platform.beeps = 0;
}

void JokerGame::afterFiftyFifty(const std::string& kept) {
    for (int k = 1; k <= 4; ++k) {
        bool keep = kept.find(kLetters[k - 1]) != std::string::npos;
        form->lblKviz[k].visible = keep;
        form->Label5[k - 1].visible = keep;
    }
    form->Image2[0].visible = false;
    form->Image2[1].visible = true;
}

std::string JokerGame::answersOnScreen() const {
    std::string shown;
    for (int k = 1; k <= 4; ++k) {
        EXPECT_EQ(form->lblKviz[k].visible, form->Label5[k - 1].visible) << "answer " << k;
        if (form->lblKviz[k].visible) shown += kLetters[k - 1];
    }
    return shown;
}

std::array<int, 4> JokerGame::chartShares() const {
    std::array<int, 4> shares{};
    for (int k = 0; k <= 3; ++k) {
        const std::string& caption = form->lblProc[k].caption;
        EXPECT_TRUE(caption.ends_with(" %")) << caption;
        shares[static_cast<std::size_t>(k)] = std::stoi(caption);
    }
    return shares;
}

double JokerGame::storedCounter(const char* name) const {
    return storedSetting(dir.file("Baza.mdb"), name).number();
}

} // namespace kvz::test
