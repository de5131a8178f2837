// SPDX-License-Identifier: GPL-3.0-or-later
// The audience's vote and its bar chart. The vote is made up from the level, the place of
// the right answer and a chance that the audience knows; each use records whether the
// audience's favourite was right.
#include "app/Form1.h"
#include "jokers/Jokers.h"

#include <array>
#include <optional>

namespace kvz {

namespace {

// An audience vote in percent for the answers A, B, V, G.
using AudienceShares = std::array<int, 4>;

// The vote with four answers on screen for the right answer c and the favourite f.
AudienceShares fourAnswerShares(int level, int c, int f) {
    int L = level;
    if (f == c) {
        switch (c) {
        case 1:
            return {50 - L, L + 18, 32 - L, L};
        case 2:
            return {L + 18, 50 - L, 18 - L, L + 14};
        case 3:
            return {L + 22, 28 - L, 50 - L, L};
        default:
            return {L, L + 24, 26 - L, 50 - L};
        }
    }
    // The audience is wrong: the right answer and the favourite lead, the other two follow
    // in answer order.
    AudienceShares shares{};
    bool firstRemaining = true;
    for (int k = 1; k <= 4; ++k) {
        int& share = shares[static_cast<std::size_t>(k - 1)];
        if (k == c) {
            share = 36 - L;
        } else if (k == f) {
            share = L + 34;
        } else {
            share = firstRemaining ? 18 - L : L + 12;
            firstRemaining = false;
        }
    }
    return shares;
}

// The vote with two answers on screen: the favourite f gets favouriteBase - level, the
// other answer on screen the rest of 100, answers taken away by 50:50 get 0.
AudienceShares twoAnswerShares(int level, int favouriteBase, int f,
                               const std::array<bool, 4>& shown) {
    AudienceShares shares{};
    for (int k = 1; k <= 4; ++k) {
        std::size_t i = static_cast<std::size_t>(k - 1);
        if (!shown[i])
            shares[i] = 0;
        else if (k == f)
            shares[i] = favouriteBase - level;
        else
            shares[i] = level + 100 - favouriteBase;
    }
    return shares;
}

// Whole hundredths of the chart height, so every bar is a multiple of the same step.
int barHeight(int chartHeight, int share) {
    return chartHeight / 100 * share;
}

std::array<bool, 4> answersShown(const Form1& f) {
    std::array<bool, 4> shown{};
    for (int k = 1; k <= 4; ++k) shown[static_cast<std::size_t>(k - 1)] = f.lblKviz[k].visible;
    return shown;
}

// Sizes bar k (0..3) for its share; every bar stands on the base line of the chart.
void drawBar(Form1& f, int k, int share) {
    Control& bar = f.shpPub[k];
    bar.height = barHeight(f.ChartHeight, share);
    bar.top = f.ChartTop + f.ChartHeight - bar.height;
    f.lblProc[k].caption = std::to_string(share) + " %";
}

void drawChart(Form1& f, const AudienceShares& shares) {
    for (int k = 0; k <= 3; ++k) drawBar(f, k, shares[static_cast<std::size_t>(k)]);
}

void countAudienceVote(Form1& f, int favourite, int c) {
    f.RsStat->bump(favourite == c ? "PTac" : "PNetac");
}

// The two-answer chart. With `drawAbove`, a question whose row position leaves a remainder
// above it when divided by the level lets a draw pick the favourite among all four answers;
// one off screen falls back to the right answer.
void showAudienceTwo(Form1& f, int favouriteBase, std::optional<int> drawAbove) {
    int level = f.QuestionNo;
    int c = rightAnswerOrStop(f);
    std::array<bool, 4> shown = answersShown(f);
    int favourite = c;
    if (drawAbove && f.RsQuestion->position % level > *drawAbove) {
        favourite = f.rnd().draw(4);
        if (!shown[static_cast<std::size_t>(favourite - 1)]) favourite = c;
    }
    drawChart(f, twoAnswerShares(level, favouriteBase, favourite, shown));
    countAudienceVote(f, favourite, c);
}

} // namespace

void Form1::ShowAudienceFour() {
    int c = rightAnswerOrStop(*this);
    int favourite = favouredAnswer(*this, c);
    drawChart(*this, fourAnswerShares(QuestionNo, c, favourite));
    countAudienceVote(*this, favourite, c);
}

void Form1::ShowAudienceTwoLow() {
    showAudienceTwo(*this, 91, std::nullopt);
}

void Form1::ShowAudienceTwoMid() {
    showAudienceTwo(*this, 76, 4);
}

void Form1::ShowAudienceTwoHigh() {
    showAudienceTwo(*this, 66, 6);
}

} // namespace kvz
