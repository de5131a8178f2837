// The window's layout for its size: columns, ladder, answers, chart geometry, and every
// control kept inside the window on screens from 640 x 480 to 1920 x 1080 pixels.
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
        dir_ = new TempDir;
        createDatabase(dir_->file("Baza.mdb"), sampleFixture());
    }
    static void TearDownTestSuite() {
        delete dir_;
        dir_ = nullptr;
    }

    // Starts the program on `screen` and, when asked, resizes its window.
    Form1& open(const Case& c) {
        platform_.folder = dir_->path().string();
        platform_.screen = c.screen;
        form_ = std::make_unique<Form1>(platform_, generator_);
        form_->Main();
        if (c.window.width > 0) form_->resize(c.window.width, c.window.height);
        return *form_;
    }

    static TempDir* dir_;
    FakePlatform platform_;
    Generator generator_;
    std::unique_ptr<Form1> form_;
};

TempDir* Layout::dir_ = nullptr;

bool overlap(const Control& a, const Control& b) {
    return a.left < b.right() && b.left < a.right() && a.top < b.bottom() && b.top < a.bottom();
}

std::string where(const Control& c) {
    return c.key() + " at " + std::to_string(c.left) + "," + std::to_string(c.top) + " " +
           std::to_string(c.width) + "x" + std::to_string(c.height);
}

} // namespace

TEST_F(Layout, theTopBarSplitsTheWidthIntoAQuarterAHalfAndAQuarter) {
    for (const Case& c : kCases) {
        Form1& f = open(c);
        SCOPED_TRACE(c.name);
        int w = f.Form.width;
        EXPECT_EQ(f.Label1[0].left, 0);
        EXPECT_EQ(f.Label1[0].width, w / 4);
        EXPECT_EQ(f.Label1[1].left, f.Label1[0].right());
        EXPECT_EQ(f.Label1[1].width, w / 2);
        EXPECT_EQ(f.Label1[2].left, f.Label1[1].right());
        EXPECT_EQ(f.Label1[2].width, w / 4);
        EXPECT_LE(w - f.Label1[2].right(), 3);
    }
}

TEST_F(Layout, groupsTakeTheWidthOfTheirColumn) {
    for (const Case& c : kCases) {
        Form1& f = open(c);
        SCOPED_TRACE(c.name);
        for (int i = 1; i <= 10; ++i) {
            EXPECT_EQ(f.lblSampioni[i].left, f.Label1[0].left);
            EXPECT_EQ(f.lblSampioni[i].width, f.Label1[0].width);
        }
        for (int i = 0; i <= 3; ++i) {
            EXPECT_EQ(f.lblNajava[i].left, f.Label1[1].left);
            EXPECT_EQ(f.lblNajava[i].width, f.Label1[1].width);
        }
        for (Control* right : {&f.Label2, &f.Label3[0]}) {
            EXPECT_EQ(right->left, f.Label1[2].left);
            EXPECT_EQ(right->width, f.Label1[2].width);
        }
        EXPECT_EQ(f.imgPotpis.width, f.Label1[0].width);
        EXPECT_EQ(f.Frame1.left, f.Label1[1].left);
        EXPECT_EQ(f.Frame2.width, f.Frame1.width);
        EXPECT_EQ(f.lblTraka.right(), f.Label1[1].left);
        // The chart's bars are a sixteenth of the width each, side by side.
        for (int k = 0; k <= 3; ++k) {
            EXPECT_EQ(f.shpPub[k].width, f.Form.width / 16);
            EXPECT_EQ(f.shpPub[k].left, k * (f.Form.width / 16));
            EXPECT_EQ(f.lblHvala[k + 1].left, f.shpPub[k].left);
        }
    }
}

TEST_F(Layout, theLadderRowsStackUnderTheAmountWonSplitOneToSix) {
    for (const Case& c : kCases) {
        Form1& f = open(c);
        SCOPED_TRACE(c.name);
        const Control& head = f.Label3[0];
        int rowHeight = f.SmallScreen == True ? 300 : 405;
        EXPECT_EQ(head.height, rowHeight);
        EXPECT_EQ(head.top, f.Label2.bottom());
        EXPECT_EQ(f.Label2.top, f.Image2[0].bottom() + 90);
        for (int i = 1; i <= 15; ++i) {
            const Control& number = f.Label3[i];
            const Control& amount = f.lblCIFRA[i];
            EXPECT_EQ(number.top, head.top + i * rowHeight) << i;
            EXPECT_EQ(amount.top, number.top) << i;
            EXPECT_EQ(number.height, rowHeight) << i;
            EXPECT_EQ(number.left, head.left);
            EXPECT_EQ(number.width, head.width / 7);
            EXPECT_EQ(amount.left, number.right());
            EXPECT_EQ(amount.width, head.width * 6 / 7);
        }
        EXPECT_EQ(f.Text1.top, f.lblCIFRA[15].bottom());
        EXPECT_EQ(f.lblStart.top, f.Text1.bottom());
        EXPECT_EQ(f.lblIzlaz.left, f.lblStart.right());
        EXPECT_EQ(f.lblStart.height, f.SmallScreen == True ? 320 : 360);
    }
}

TEST_F(Layout, answersSitInTwoRowsOfTwoEachAfterItsLetter) {
    for (const Case& c : kCases) {
        Form1& f = open(c);
        SCOPED_TRACE(c.name);
        bool small = f.SmallScreen == True;
        int letter = small ? 405 : 435;
        const Control& centre = f.Label1[1];
        const Control &a = f.lblKviz[1], &b = f.lblKviz[2], &v = f.lblKviz[3], &g = f.lblKviz[4];
        EXPECT_EQ(a.width, static_cast<int>(f.Form.width / 4.0 - 1.5 * letter));
        EXPECT_EQ(a.height, small ? 860 : 945);
        EXPECT_EQ(a.left, centre.left + letter);
        EXPECT_EQ(b.left, a.right() + letter);
        EXPECT_EQ(v.left, a.left);
        EXPECT_EQ(g.left, b.left);
        EXPECT_EQ(a.top, f.lblKviz[0].bottom());
        EXPECT_EQ(b.top, a.top);
        EXPECT_EQ(v.top, a.bottom() + f.Label3[0].height);
        EXPECT_EQ(g.top, v.top);
        EXPECT_LE(b.right(), centre.right() - letter + 1);

        const Control& question = f.lblKviz[0];
        EXPECT_EQ(question.top, f.Label3[0].top);
        EXPECT_EQ(question.height, 6 * f.Label3[0].height);
        EXPECT_EQ(question.left, a.left);
        EXPECT_EQ(question.width, centre.width - 2 * letter);

        for (int i = 0; i <= 3; ++i) {
            const Control& l = f.Label5[i];
            EXPECT_EQ(l.width, letter);
            EXPECT_EQ(l.top, f.lblKviz[i + 1].top) << i;
            EXPECT_EQ(l.right(), f.lblKviz[i + 1].left) << i;
        }
    }
}

TEST_F(Layout, theAudienceChartStandsOnItsLettersFromTheSecondRecordRow) {
    for (const Case& c : kCases) {
        Form1& f = open(c);
        SCOPED_TRACE(c.name);
        int bars = f.SmallScreen == True ? 2325 : 2625;
        EXPECT_EQ(f.ChartHeight, bars);
        EXPECT_EQ(f.ChartTop, f.lblSampioni[2].top);
        EXPECT_EQ(f.lblSampioni[2].top, f.lblSampioni[1].bottom());
        for (int k = 0; k <= 3; ++k) {
            EXPECT_EQ(f.shpPub[k].height, bars);
            EXPECT_EQ(f.lblHvala[k + 1].top, f.ChartTop + f.ChartHeight);
            EXPECT_EQ(f.lblProc[k].bottom(), f.ChartTop);
        }
        EXPECT_EQ(f.lblHvala[0].top, f.lblHvala[1].bottom());
        EXPECT_EQ(f.imgPotpis.bottom(), f.lblHvala[0].bottom());
        EXPECT_EQ(f.lblSampioni[4].top, f.imgPotpis.bottom());
    }
}

TEST_F(Layout, aResizeKeepsTheBarsOfAVoteOnScreenStandingOnTheirBaseLine) {
    Form1& f = open(kCases[4]);
    int base = f.ChartTop + f.ChartHeight;
    const int shares[4] = {40, 0, 60, 100};
    for (int k = 0; k <= 3; ++k) {
        f.shpPub[k].height = f.ChartHeight / 100 * shares[k];
        f.shpPub[k].top = base - f.shpPub[k].height;
    }
    std::vector<int> before;
    for (Control& bar : f.shpPub) before.push_back(bar.height);
    f.resize(20000, 12000);
    f.resize(kCases[4].window.width, kCases[4].window.height);
    for (int k = 0; k <= 3; ++k) {
        EXPECT_EQ(f.shpPub[k].height, before[static_cast<std::size_t>(k)]) << k;
        EXPECT_EQ(f.shpPub[k].bottom(), base) << k;
    }
}

TEST_F(Layout, everyControlStaysInsideTheWindowOnEveryScreen) {
    for (const Case& c : kCases) {
        Form1& f = open(c);
        SCOPED_TRACE(c.name);
        for (Control* ctl : f.controls()) {
            Control& frame = ctl->parent ? *ctl->parent : f.Form;
            EXPECT_GE(ctl->left, 0) << where(*ctl);
            EXPECT_GE(ctl->top, 0) << where(*ctl);
            EXPECT_GT(ctl->width, 0) << where(*ctl);
            EXPECT_GT(ctl->height, 0) << where(*ctl);
            bool textRunsOn = ctl->name == "Label6" || ctl->name == "Label7";
            if (!textRunsOn) {
                EXPECT_LE(ctl->right(), frame.width) << where(*ctl);
                EXPECT_LE(ctl->bottom(), frame.height) << where(*ctl);
            }
        }
    }
}

TEST_F(Layout, nothingImportantIsCoveredOnAnyScreen) {
    for (const Case& c : kCases) {
        Form1& f = open(c);
        SCOPED_TRACE(c.name);
        std::vector<Control*> centre{&f.lblKviz[0], &f.Frame1};
        for (int i = 0; i <= 3; ++i) centre.push_back(&f.Label5[i]);
        for (int k = 1; k <= 4; ++k) centre.push_back(&f.lblKviz[k]);
        std::vector<Control*> right{&f.Label2,   &f.Label3[0], &f.Text1,
                                    &f.lblStart, &f.lblIzlaz,  &f.imgOUT};
        for (int i = 1; i <= 15; ++i) right.push_back(&f.Label3[i]);
        for (int i = 1; i <= 15; ++i) right.push_back(&f.lblCIFRA[i]);
        for (int i = 0; i <= 5; i += 2) right.push_back(&f.Image2[i]);
        std::vector<Control*> left{&f.lblHvala[0], &f.lblSampioni[0], &f.lblSampioni[1]};
        for (int k = 0; k <= 3; ++k) left.push_back(&f.shpPub[k]);

        // Within each group nothing overlaps; the confirmation panel opens below the answers.
        for (const auto* group : {&centre, &right, &left})
            for (std::size_t i = 0; i < group->size(); ++i)
                for (std::size_t j = i + 1; j < group->size(); ++j)
                    EXPECT_FALSE(overlap(*(*group)[i], *(*group)[j]))
                        << where(*(*group)[i]) << " / " << where(*(*group)[j]);
        EXPECT_FALSE(overlap(f.lblDANE[0], f.lblDANE[1]));
        // Nor across the columns.
        for (Control* a : centre) {
            for (Control* b : right)
                EXPECT_FALSE(overlap(*a, *b)) << where(*a) << " / " << where(*b);
            for (Control* b : left)
                EXPECT_FALSE(overlap(*a, *b)) << where(*a) << " / " << where(*b);
        }
    }
}

TEST_F(Layout, theGameOverLinesStayClearOfTheNewGameLineAndTheSponsorLinesStack) {
    for (const Case& c : kCases) {
        Form1& f = open(c);
        SCOPED_TRACE(c.name);
        // Lines 1, 3 and 5 carry the game-over message around "NOVA IGRA" and the note.
        for (int i : {1, 3, 5}) {
            EXPECT_FALSE(overlap(f.lblFirma[i], f.lblNajava[3])) << where(f.lblFirma[i]);
            EXPECT_FALSE(overlap(f.lblFirma[i], f.lblOdred)) << where(f.lblFirma[i]);
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
    EXPECT_EQ(normal.lblNajava[0].size, 36);
    EXPECT_EQ(normal.lblIme.size, 8);
    EXPECT_EQ(normal.lblMoto.size, 8);
    EXPECT_EQ(normal.Label2.size, 14.25);
    EXPECT_EQ(normal.lblKviz[0].size, 20.25);
    EXPECT_TRUE(normal.lblMoto.visible);

    Form1& small = open(kCases[0]);
    ASSERT_EQ(small.SmallScreen, True);
    EXPECT_EQ(small.lblNajava[0].size, 28);
    EXPECT_EQ(small.lblTime.size, 28);
    EXPECT_EQ(small.Label5[2].size, 16);
    EXPECT_EQ(small.lblKviz[0].size, 12);
    EXPECT_EQ(small.Label2.size, 10);
    EXPECT_EQ(small.Label8[1].size, 8);
    EXPECT_EQ(small.lblIme.size, 6);
    EXPECT_FALSE(small.lblMoto.visible);
    EXPECT_EQ(small.lblTime.width, 630);
    EXPECT_EQ(small.Image2[6].right(), small.Frame2.width - 90);
}

TEST_F(Layout, theFirstLayoutCompletesTheOpeningScreen) {
    Form1& f = open(kCases[3]);
    EXPECT_TRUE(f.imgPotpis.visible);
    EXPECT_TRUE(f.Label1[0].visible);
    EXPECT_TRUE(f.lblFirma[2].visible);
    EXPECT_EQ(f.lblInfo.caption, "Informacije o igri");
    for (int i = 1; i <= 5; ++i) EXPECT_EQ(f.Image2[i].top, f.Image2[0].top);
    EXPECT_EQ(f.imgHelp.left, 90);
    EXPECT_EQ(f.imgHelp.top, 0);
}
