// SPDX-License-Identifier: GPL-3.0-or-later
// The statistics panel: how often the friend and the audience have been right.
#include "app/Form1.h"
#include "data/Value.h"

#include <cmath>

namespace kvz {

namespace {

// The whole percent of right among all uses; "0 %" before the first use.
std::string successRateText(double right, double wrong) {
    double uses = right + wrong;
    if (uses == 0) return "0 %";
    // Multiplying before dividing keeps a whole rate such as 29 of 100 from coming out
    // one short through the rounding of 0.29.
    return plainNumberText(std::floor(right * 100 / uses)) + " %";
}

} // namespace

void Form1::ShowJokerStatistics() {
    Value friendRight = RsStat->field("Tac"), friendWrong = RsStat->field("Netac");
    Value audienceRight = RsStat->field("PTac"), audienceWrong = RsStat->field("PNetac");
    lblStat[0].caption = "Ta~no: " + friendRight.text();
    lblStat[1].caption = "Neta~no: " + friendWrong.text();
    lblStat[2].caption = "Ta~no: " + audienceRight.text();
    lblStat[3].caption = "Neta~no: " + audienceWrong.text();
    lblStat[5].caption = successRateText(friendRight.number(), friendWrong.number());
    lblStat[4].caption = successRateText(audienceRight.number(), audienceWrong.number());
}

} // namespace kvz
