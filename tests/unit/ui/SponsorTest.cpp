// SPDX-License-Identifier: GPL-3.0-or-later
// The sponsor panel the win celebration ends on.
#include "PresentationForm.h"

#include <gtest/gtest.h>

using namespace kvz;
using namespace kvz::test;

TEST(Sponsor, thePanelMakesRoomInTheLowerRowsOfTheRecordHolderListOnly) {
    PresentationForm p;
    Form1& f = *p.form;
    for (int i = 0; i <= 10; ++i) f.lblSampioni[i].visible = true;
    f.ShowSponsor();
    for (int i = 0; i <= 10; ++i) EXPECT_EQ(f.lblSampioni[i].visible, i <= 3) << i;
}
