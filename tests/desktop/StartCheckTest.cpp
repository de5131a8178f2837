// SPDX-License-Identifier: GPL-3.0-or-later
#include "DesktopFixture.h"
#include "data/CheckMemo.h"

namespace kvz::test {

// The window remembers the database that passed its check at the start, and again as a clean
// end leaves it; a game cut off after a write leaves the memo behind, so the next start reads
// the file through.
TEST_F(DesktopTest, theFileIsRememberedAsCheckedAtTheStartAndAsACleanEndLeavesIt) {
    const std::string file = (dir.path() / "Baza.mdb").string();
    const CheckMemo memo(platform.checkMemoFile());
    ASSERT_FALSE(platform.checkMemoFile().empty());
    startProgram();
    EXPECT_TRUE(memo.holds(CheckMemo::stampOf(file)));

    const double starts = storedSetting(file, "Start").number();
    typeIntoNameBox("pera");
    clickOn(form.lblStart);
    ASSERT_TRUE(runUntil([&] { return storedSetting(file, "Start").number() == starts + 1; }));
    EXPECT_FALSE(memo.holds(CheckMemo::stampOf(file))) << "a kill now leaves a full check";

    releaseKey(window, Qt::Key_Escape);
    ASSERT_TRUE(form.ended);
    EXPECT_TRUE(memo.holds(CheckMemo::stampOf(file)));
}

} // namespace kvz::test
