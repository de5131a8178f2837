// SPDX-License-Identifier: GPL-3.0-or-later
// The window's layout at every size from 640 x 480 to 1920 x 1080 pixels: every control
// inside the window, nothing that matters covered, things in their reading order.
#include "app/Form1.h"
#include "support/FakePlatform.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>
#include <memory>

using namespace kvz;
using namespace kvz::test;

namespace {

// A screen in twips and the inner size of the window on it; {0, 0} keeps the size start-up
// gives the window.
struct Case {
    const char* name;
    ScreenSize screen;
    ScreenSize window;
};

// 640x480, 720x576 and 1024x576 screens are small; 800x600 and larger are normal.
const Case kCases[] = {
    {"640x480", {9600, 7200}, {0, 0}},
    {"720x576", {10800, 8640}, {0, 0}},
    {"1024x576", {15360, 8640}, {0, 0}},
    {"800x600", {12000, 9000}, {0, 0}},
    {"1024x768", {15360, 11520}, {15270, 11214}},
    {"1920x1080", {28800, 16200}, {28710, 15894}},
};

class Layout : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        dir_ = std::make_unique<TempDir>();
        createDatabase(dir_->file("Baza.mdb"), sampleFixture());
    }
    static void TearDownTestSuite() { dir_.reset(); }

    Form1& open(const Case& c) {
        platform_.folder = dir_->path().string();
        platform_.screen = c.screen;
        form_ = std::make_unique<Form1>(platform_, generator_);
        form_->Main();
        if (c.window.width > 0) form_->resize(c.window.width, c.window.height);
        return *form_;
    }

    static inline std::unique_ptr<TempDir> dir_;
    FakePlatform platform_;
    Generator generator_;
    std::unique_ptr<Form1> form_;
};

std::string where(const Control& c) {
    return c.key() + " at " + std::to_string(c.left) + "," + std::to_string(c.top) + " " +
           std::to_string(c.width) + "x" + std::to_string(c.height);
}

// Whether two controls leave each other's area free; a failure says where both are.
::testing::AssertionResult apart(const Control& a, const Control& b) {
    if (a.left < b.right() && b.left < a.right() && a.top < b.bottom() && b.top < a.bottom())
        return ::testing::AssertionFailure() << where(a) << " overlaps " << where(b);
    return ::testing::AssertionSuccess();
}

} // namespace

TEST_F(Layout, aResizeKeepsTheBarsOfAVoteOnScreenStandingOnTheirBaseLine) {
    Form1& f = open(kCases[4]);
    int base = f.ChartTop + f.ChartHeight;
    const int shares[4] = {40, 0, 60, 100};
    std::vector<int> before;
    for (int k = 0; k <= 3; ++k) {
        before.push_back(f.shpPub[k].height = f.ChartHeight / 100 * shares[k]);
        f.shpPub[k].top = base - f.shpPub[k].height;
    }
    f.resize(20000, 12000);
    f.resize(kCases[4].window.width, kCases[4].window.height);
    for (int k = 0; k <= 3; ++k)
        EXPECT_EQ(std::pair(f.shpPub[k].height, f.shpPub[k].bottom()),
                  std::pair(before[static_cast<std::size_t>(k)], base))
            << k;
}

TEST_F(Layout, everyControlStaysInsideTheWindowOnEveryScreen) {
    for (const Case& c : kCases) {
        Form1& f = open(c);
        SCOPED_TRACE(c.name);
        for (Control* ctl : f.controls()) {
            const Control& frame = ctl->parent ? *ctl->parent : f.Form;
            EXPECT_TRUE(ctl->left >= 0 && ctl->top >= 0 && ctl->width > 0 && ctl->height > 0)
                << where(*ctl);
            const bool textRunsOn = ctl->name == "Label6" || ctl->name == "Label7";
            EXPECT_TRUE(textRunsOn ||
                        (ctl->right() <= frame.width && ctl->bottom() <= frame.height))
                << where(*ctl) << " in " << where(frame);
        }
    }
}

TEST_F(Layout, nothingImportantIsCoveredOnAnyScreen) {
    for (const Case& c : kCases) {
        Form1& f = open(c);
        SCOPED_TRACE(c.name);
        std::vector<Control*> centre{&f.lblKviz[0], &f.Frame1};
        for (int i = 0; i <= 3; ++i) centre.insert(centre.end(), {&f.Label5[i], &f.lblKviz[i + 1]});
        std::vector<Control*> right{&f.Label2,   &f.Label3[0], &f.Text1,
                                    &f.lblStart, &f.lblIzlaz,  &f.imgOUT};
        for (int i = 1; i <= 15; ++i) right.insert(right.end(), {&f.Label3[i], &f.lblCIFRA[i]});
        for (int i = 0; i <= 5; i += 2) right.push_back(&f.Image2[i]);
        std::vector<Control*> left{&f.lblHvala[0], &f.lblSampioni[0], &f.lblSampioni[1]};
        for (int k = 0; k <= 3; ++k) left.push_back(&f.shpPub[k]);

        // Within each group nothing overlaps; the confirmation panel opens below the answers.
        for (const auto* group : {&centre, &right, &left})
            for (std::size_t i = 0; i < group->size(); ++i)
                for (std::size_t j = i + 1; j < group->size(); ++j)
                    EXPECT_TRUE(apart(*(*group)[i], *(*group)[j]));
        EXPECT_TRUE(apart(f.lblDANE[0], f.lblDANE[1]));
        // Each letter stands just before its answer; A and B in one row, V and G below.
        for (int i = 0; i <= 3; ++i) {
            EXPECT_EQ(f.Label5[i].top, f.lblKviz[i + 1].top) << i;
            EXPECT_LE(f.Label5[i].right(), f.lblKviz[i + 1].left) << i;
        }
        EXPECT_LT(f.lblKviz[1].right(), f.lblKviz[2].left);
        EXPECT_LT(f.lblKviz[2].bottom(), f.lblKviz[4].top);
        for (int i = 1; i < 15; ++i) EXPECT_LT(f.Label3[i].top, f.Label3[i + 1].top) << i;
        // A full bar of the audience chart stands between its percentage and its letter.
        for (int k = 0; k <= 3; ++k) {
            EXPECT_LE(f.lblProc[k].bottom(), f.ChartTop) << k;
            EXPECT_GE(f.lblHvala[k + 1].top, f.ChartTop + f.ChartHeight) << k;
            EXPECT_TRUE(apart(f.lblHvala[k + 1], f.lblHvala[0]));
        }
        // Nor across the columns.
        for (Control* a : centre)
            for (const auto* group : {&right, &left})
                for (Control* b : *group) EXPECT_TRUE(apart(*a, *b));
    }
}

TEST_F(Layout, theGameOverLinesStayClearOfTheNewGameLineAndTheSponsorLinesStack) {
    for (const Case& c : kCases) {
        Form1& f = open(c);
        SCOPED_TRACE(c.name);
        // Lines 1, 3 and 5 carry the game-over message around "NOVA IGRA" and the note.
        for (int i : {1, 3, 5}) {
            EXPECT_TRUE(apart(f.lblFirma[i], f.lblNajava[3]));
            EXPECT_TRUE(apart(f.lblFirma[i], f.lblOdred));
        }
        EXPECT_GE(f.lblFirma[0].top, f.Label1[1].bottom()) << "under the top bar";
        for (int i = 1; i <= 5; ++i)
            EXPECT_GE(f.lblFirma[i].top, f.lblFirma[i - 1].bottom()) << where(f.lblFirma[i]);
    }
}

TEST_F(Layout, resizingBackAndForthEndsWhereOneResizeWould) {
    Form1& once = open(kCases[4]);
    auto snapshot = [](Form1& f) {
        std::vector<std::array<int, 4>> places;
        for (Control* c : f.controls()) places.push_back({c->left, c->top, c->width, c->height});
        return places;
    };
    auto direct = snapshot(once);
    Form1& moved = open(kCases[4]);
    moved.resize(28710, 15894);
    moved.resize(12000, 9000);
    moved.resize(kCases[4].window.width, kCases[4].window.height);
    EXPECT_EQ(snapshot(moved), direct);
}

TEST_F(Layout, smallScreensUseSmallerFontsAndHideTheMotto) {
    Form1& normal = open(kCases[3]);
    ASSERT_EQ(normal.SmallScreen, False);
    std::vector<double> normalSizes;
    for (Control* c : normal.controls()) normalSizes.push_back(c->size);
    EXPECT_TRUE(normal.lblMoto.visible);

    Form1& small = open(kCases[0]);
    ASSERT_EQ(small.SmallScreen, True);
    EXPECT_FALSE(small.lblMoto.visible);
    std::size_t i = 0, smaller = 0;
    for (Control* c : small.controls()) {
        EXPECT_LE(c->size, normalSizes[i]) << c->key();
        smaller += c->size < normalSizes[i++];
    }
    EXPECT_GT(smaller, 20u);
}
