// SPDX-License-Identifier: GPL-3.0-or-later
// What the window presents beside the game: the help screen in both sizes, the sponsor panel
// the win celebration ends on, and the knowledge typewriter (the motto letter by letter, the
// turning logos and the collaborator's name between two passes).
#include "PresentationForm.h"

#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <vector>

using namespace kvz;
using namespace kvz::test;

namespace {

// A line of a font of `size` points takes about 1.15 times its size, in twips.
int lineHeight(const DrawnLine& l) {
    return static_cast<int>(l.size * 23);
}

const std::string kMotto = "JA HO]U DA ZNAM!!!";

std::vector<int> shownLogos(Form1& f) {
    std::vector<int> out;
    for (int i = 0; i <= 4; ++i)
        if (f.imgMudrost[i].visible) out.push_back(i);
    return out;
}

// Runs `ticks` typewriter ticks and returns the caption after each.
std::vector<std::string> type(Form1& f, int ticks) {
    std::vector<std::string> captions;
    for (int i = 0; i < ticks; ++i) {
        f.tick(f.Timer5);
        EXPECT_EQ(shownLogos(f).size(), 1u) << "one logo at a time, tick " << i;
        captions.push_back(f.lblZnam.caption);
    }
    return captions;
}

// The name shown after a whole pass typed with the given draw, or without collaborators.
std::string nameAfterAPass(const Json& fixture, std::optional<double> draw) {
    PresentationForm p(fixture);
    Form1& f = *p.form;
    f.Timer5.setEnabled(true);
    if (draw) p.rnd.queue(*draw);
    return type(f, 18).back();
}

} // namespace

TEST(Typewriter, aPassTypesTheWholeMottoLetterByLetterThenShowsANameAndStopsCleanly) {
    PresentationForm p;
    Form1& f = *p.form;
    f.Timer5.setEnabled(true);
    auto captions = type(f, 16);
    // Every caption is the start of the motto, each a letter longer, ending on all of it.
    for (std::size_t i = 1; i < captions.size(); ++i) {
        EXPECT_EQ(kMotto.rfind(captions[i], 0), 0u) << captions[i];
        EXPECT_GT(captions[i].size(), captions[i - 1].size()) << captions[i];
    }
    EXPECT_EQ(captions.back(), kMotto);

    // Stopped mid-pass, the logos go and the next start types from the beginning.
    f.StopTypewriter();
    EXPECT_TRUE(!f.Timer5.enabled() && shownLogos(f).empty());
    f.Timer5.setEnabled(true);
    EXPECT_EQ(type(f, 2), (std::vector<std::string>{"", "J"}));
}

TEST(Typewriter, everyCollaboratorCanBeDrawnAndWithoutAnyTheLabelStaysBlank) {
    EXPECT_EQ(nameAfterAPass(sampleFixture(), 0.0), "Pera");
    EXPECT_EQ(nameAfterAPass(sampleFixture(), 0.999999), "Mika");
    EXPECT_EQ(nameAfterAPass(sampleFixture(1, false), std::nullopt), "");
}

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
