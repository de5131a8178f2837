// SPDX-License-Identifier: GPL-3.0-or-later
// The help screen, its lines in both sizes, and the sponsor panel the win celebration ends on.
#include "PresentationForm.h"

#include <algorithm>
#include <gtest/gtest.h>

using namespace kvz;
using namespace kvz::test;

namespace {

// A line of a font of `size` points takes about 1.15 times its size, in twips.
int lineHeight(const DrawnLine& l) {
    return static_cast<int>(l.size * 23);
}

} // namespace

TEST(Help, theDrawnTextFitsInsideThePanelWithoutOneLineOverAnotherInBothSizes) {
    for (ScreenSize screen : {ScreenSize{9600, 7200}, ScreenSize{15360, 11520}}) {
        SCOPED_TRACE("screen height " + std::to_string(screen.height));
        PresentationForm p(sampleFixture(), screen);
        Form1& f = *p.form;
        f.ShowHelp();
        const auto& lines = f.picHelp.lines;
        ASSERT_GT(lines.size(), 20u);
        for (const DrawnLine& l : lines) {
            EXPECT_LE(l.y + lineHeight(l), f.picHelp.height) << l.text;
            EXPECT_LT(l.x, f.picHelp.width) << l.text;
        }
        // Lines that start in one column follow each other downwards, a line apart or more.
        for (std::size_t i = 0; i < lines.size(); ++i)
            for (std::size_t j = i + 1; j < lines.size(); ++j)
                if (lines[i].x == lines[j].x) {
                    const DrawnLine& upper = lines[i].y <= lines[j].y ? lines[i] : lines[j];
                    const DrawnLine& lower = &upper == &lines[i] ? lines[j] : lines[i];
                    EXPECT_GE(lower.y - upper.y, lineHeight(upper) * 9 / 10)
                        << upper.text << " / " << lower.text;
                }
    }
}

TEST(Sponsor, thePanelMakesRoomInTheLowerRowsOfTheRecordHolderListOnly) {
    PresentationForm p;
    Form1& f = *p.form;
    for (int i = 0; i <= 10; ++i) f.lblSampioni[i].visible = true;
    f.ShowSponsor();
    for (int i = 0; i <= 10; ++i) EXPECT_EQ(f.lblSampioni[i].visible, i <= 3) << i;
}
