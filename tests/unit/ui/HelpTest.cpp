// The help screen: its lines in both sizes and its place in front of the window.
#include "PresentationForm.h"

#include <algorithm>
#include <gtest/gtest.h>

using namespace kvz;
using namespace kvz::test;

namespace {

constexpr ScreenSize kSmallScreen{9600, 7200};
constexpr ScreenSize kLargeScreen{15360, 11520};

// What the two sizes are expected to draw.
struct Expected {
    double titleSize, commandSize, moreSize, addressSize;
    int descriptionX, addressX;
};

constexpr Expected kSmall{10, 8, 8, 16, 800, 3000};
constexpr Expected kLarge{14, 12, 10, 18, 1000, 3500};

const DrawnLine* lineAt(const Control& panel, int x, int y) {
    for (const DrawnLine& l : panel.lines)
        if (l.x == x && l.y == y) return &l;
    return nullptr;
}

// One line of a font of `points` points, in twips, as a real font spaces its lines.
void expectOneLineOf(double points, int advance) {
    EXPECT_GE(advance, points * 20 * 1.1);
    EXPECT_LE(advance, points * 20 * 1.25);
}

// Checks the drawn panel against the geometry of its size: the title, thirteen keys each
// with its description beside it, the note, and the address raised beside the last line.
void expectHelpDrawn(const Control& panel, const Expected& e, bool allKeysLatin) {
    const auto& lines = panel.lines;
    // title, 13 keys, 16 descriptions, the spoken quiz's key with its word, 3 closing lines
    ASSERT_EQ(lines.size(), 35u);
    EXPECT_EQ(lines[0].text, "Komande sa tastature");
    EXPECT_EQ(lines[0].y, 0);
    EXPECT_EQ(lines[0].x, 3000);
    EXPECT_EQ(lines[0].size, e.titleSize);
    EXPECT_EQ(lines[0].font, "Cir Arial");

    std::vector<const DrawnLine*> keys;
    for (std::size_t i = 1; i < 32; ++i) // the command rows, before the three closing lines
        if (lines[i].x == 200) keys.push_back(&lines[i]);
    ASSERT_EQ(keys.size(), 13u);
    expectOneLineOf(e.titleSize, keys[0]->y);
    int line = (keys[1]->y - keys[0]->y) / 3; // "Enter": two lines of description, one empty
    expectOneLineOf(e.commandSize, line);
    int twoLineDescriptions = 0;
    for (std::size_t i = 0; i < keys.size(); ++i) {
        const DrawnLine& key = *keys[i];
        bool latin = allKeysLatin || key.text == "Enter" || key.text == "Esc " || key.text == "F1";
        EXPECT_EQ(key.font, latin ? "Arial" : "Cir Arial") << key.text;
        const DrawnLine* description = lineAt(panel, e.descriptionX, key.y);
        ASSERT_NE(description, nullptr) << key.text;
        EXPECT_EQ(description->font, "Cir Arial");
        EXPECT_EQ(description->size, e.commandSize);
        bool twoLines = lineAt(panel, e.descriptionX, key.y + line) != nullptr;
        twoLineDescriptions += twoLines;
        // An empty line follows every description but the last.
        if (i + 1 < keys.size()) {
            EXPECT_EQ(keys[i + 1]->y - key.y, (twoLines ? 3 : 2) * line) << key.text;
        }
    }
    EXPECT_EQ(twoLineDescriptions, 3);
    EXPECT_EQ(keys[12]->text, "F1");
    // F9, the window's own key, stands in Latin on the last row, right of F1's description.
    const auto f9 =
        std::find_if(lines.begin(), lines.end(), [](const DrawnLine& l) { return l.text == "F9"; });
    ASSERT_NE(f9, lines.end());
    EXPECT_EQ(f9->y, keys[12]->y);
    EXPECT_EQ(f9->font, "Arial");
    EXPECT_GT(f9->x, e.descriptionX);

    const DrawnLine& news = lines[32];
    const DrawnLine& more = lines[33];
    const DrawnLine& address = lines[34];
    EXPECT_EQ(news.x, 200);
    EXPECT_EQ(news.size, 8);
    expectOneLineOf(e.commandSize, news.y - keys[12]->y);
    EXPECT_EQ(more.text, "Vi{e detaqa na adresi:");
    EXPECT_EQ(more.x, 200);
    EXPECT_EQ(more.size, e.moreSize);
    expectOneLineOf(8, more.y - news.y);
    EXPECT_EQ(address.text, kWebAddress);
    EXPECT_EQ(address.font, "Arial");
    EXPECT_TRUE(address.bold);
    EXPECT_EQ(address.size, e.addressSize);
    EXPECT_EQ(address.x, e.addressX);
    EXPECT_EQ(address.y, more.y - 100);
    for (std::size_t i = 0; i + 1 < lines.size(); ++i) EXPECT_FALSE(lines[i].bold) << lines[i].text;
}

} // namespace

TEST(Help, onALargeScreenEveryKeyIsLatinAndTheLinesAreTwelvePoint) {
    PresentationForm p(sampleFixture(), kLargeScreen);
    Form1& f = *p.form;
    ASSERT_EQ(f.SmallScreen, False);
    f.ShowHelp();
    expectHelpDrawn(f.picHelp, kLarge, true);
}

TEST(Help, onASmallScreenTheLetterKeysAreDrawnInTheDisplayFont) {
    PresentationForm p(sampleFixture(), kSmallScreen);
    Form1& f = *p.form;
    ASSERT_EQ(f.SmallScreen, True);
    f.ShowHelp();
    expectHelpDrawn(f.picHelp, kSmall, false);
}

TEST(Help, theDrawnTextFitsInsideThePanelInBothSizes) {
    for (ScreenSize screen : {kSmallScreen, kLargeScreen}) {
        PresentationForm p(sampleFixture(), screen);
        Form1& f = *p.form;
        f.ShowHelp();
        int bottom = 0;
        for (const DrawnLine& l : f.picHelp.lines)
            bottom = std::max(bottom, l.y + static_cast<int>(l.size * 23));
        EXPECT_LE(bottom, f.picHelp.height) << "screen height " << screen.height;
    }
}

TEST(Help, theHelpComesInFrontOfEveryOtherControl) {
    PresentationForm p;
    Form1& f = *p.form;
    f.ShowHelp();
    EXPECT_TRUE(f.picHelp.visible);
    EXPECT_EQ(f.controls().back(), &f.picHelp);
}
