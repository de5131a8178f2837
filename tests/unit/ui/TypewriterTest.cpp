// The knowledge typewriter: the motto letter by letter, the turning logos and the
// collaborator's name between two passes.
#include "PresentationForm.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace kvz;
using namespace kvz::test;

namespace {

// The logos shown now, by index.
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
        captions.push_back(f.lblZnam.caption);
    }
    return captions;
}

} // namespace

TEST(Typewriter, onePassTypesTheMottoLetterByLetterThenShowsANameAndStartsAgain) {
    PresentationForm p;
    Form1& f = *p.form;
    f.Timer5.setEnabled(true);
    p.rnd.queue(0.99); // the second of the two names
    // Letter by letter, a blank taking no tick of its own, 1.3 s a tick.
    const std::string motto = "JA HO]U DA ZNAM!!!";
    std::vector<std::string> expected{""};
    for (std::size_t n = 1; n <= motto.size(); ++n)
        if (motto[n - 1] != ' ') expected.push_back(motto.substr(0, n));
    expected.insert(expected.end(), {"", "Mika", "Mika", "Mika", "Mika", ""});
    EXPECT_EQ(f.Timer5.interval(), 1300);
    EXPECT_EQ(type(f, 22), expected);
    EXPECT_EQ(f.TypewriterStep, 0);
    EXPECT_EQ(type(f, 2), (std::vector<std::string>{"", "J"}));
}

TEST(Typewriter, theLogosTakeTurnsOneAtATimeAndTheFirstStaysBetweenPasses) {
    PresentationForm p;
    Form1& f = *p.form;
    f.Timer5.setEnabled(true);
    for (int step = 0; step < 22; ++step) {
        f.tick(f.Timer5);
        int expected = step <= 15 ? step % 5 : 0;
        EXPECT_EQ(shownLogos(f), std::vector<int>{expected}) << "after step " << step;
    }
    // The second pass hides the first logo as it shows the next.
    type(f, 2);
    EXPECT_EQ(shownLogos(f), std::vector<int>{1});
}

TEST(Typewriter, everyCollaboratorCanBeDrawnTheLastOneIncluded) {
    PresentationForm p;
    Form1& f = *p.form;
    f.Timer5.setEnabled(true);
    p.rnd.queue(0.0);
    EXPECT_EQ(type(f, 18).back(), "Pera");
    type(f, 4);
    p.rnd.queue(0.999999);
    EXPECT_EQ(type(f, 18).back(), "Mika");
}

TEST(Typewriter, withoutCollaboratorsTheLabelStaysBlankBetweenTwoPasses) {
    PresentationForm p(sampleFixture(1, false));
    Form1& f = *p.form;
    ASSERT_EQ(f.CollaboratorCount, 0);
    f.Timer5.setEnabled(true);
    auto captions = type(f, 22);
    for (int step = 16; step <= 21; ++step)
        EXPECT_EQ(captions[static_cast<std::size_t>(step)], "") << step;
}

TEST(Typewriter, stoppingItMidPassHidesTheLogosAndTheNextStartTypesFromTheBeginning) {
    PresentationForm p;
    Form1& f = *p.form;
    f.Timer5.setEnabled(true);
    type(f, 7);
    f.StopTypewriter();
    EXPECT_FALSE(f.Timer5.enabled());
    EXPECT_TRUE(shownLogos(f).empty());
    f.Timer5.setEnabled(true);
    EXPECT_EQ(type(f, 2), (std::vector<std::string>{"", "J"}));
}
