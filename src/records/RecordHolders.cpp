// SPDX-License-Identifier: GPL-3.0-or-later
// The list of the ten best results: shown at load and at each new game, offered every
// ended game once.
#include "app/Form1.h"
#include "app/Spoken.h"
#include "data/Results.h"

namespace kvz {

namespace {

constexpr int kShownRows = 10;
constexpr double kWinnerLevel = 15;
constexpr int kUnusedHelpBonus = 1000;
constexpr int kReplacementCost = 500;

// "Ana 7 - 4000"; a free row (no name) shows as an empty line.
std::string rowText(const ResultRow& row) {
    if (row.ime.isNullOrEmpty()) return "";
    return row.ime.text() + " " + plainNumberText(row.rb.number()) + " - " +
           plainNumberText(row.skor.number());
}

// Clears a once-per-game flag and tells whether it was set.
bool consume(Boolean& flag) {
    bool was = flag == True;
    flag = False;
    return was;
}

// Overwrites the weakest row of the list when the result beats it: a higher level, or the
// same level with more points. Equal results leave the list as it is.
void replaceWeakest(Results& results, const std::string& name, double level, double points,
                    double score, const std::string& date) {
    const std::vector<ResultRow>& rows = results.ordered();
    if (rows.empty()) return;
    const ResultRow& weakest = rows.back();
    double weakestLevel = weakest.rb.number();
    if (weakestLevel > level || (weakestLevel == level && weakest.skor.number() >= points)) return;
    results.overwrite(weakest.rowid, name, static_cast<std::int64_t>(level), score, date);
}

} // namespace

void Form1::RecordHolders(Boolean& save) {
    if (save == False) {
        const std::vector<ResultRow>& rows = RsResults->ordered();
        for (int i = 1; i <= kShownRows; ++i) {
            std::size_t at = static_cast<std::size_t>(i - 1);
            lblSampioni[i].caption = at < rows.size() ? rowText(rows[at]) : "";
        }
        return;
    }
    if (!consume(ResultPending)) return;
    double points = leadingNumber(lblOsv.caption);
    replaceWeakest(*RsResults, Text1.caption, QuestionNo - 1, points, points,
                   platform_.today().iso());
}

void Form1::SayRecordHolders() {
    say(*this, "REKORDERI");
    const std::vector<ResultRow>& rows = RsResults->ordered();
    for (std::size_t i = 0; i < rows.size() && i < kShownRows; ++i) say(*this, rowText(rows[i]));
}

void Form1::RecordWinner(Boolean& /*save*/) {
    if (!consume(ResultPending)) return;
    int bonus = 0;
    for (int i : {0, 2, 4})
        if (Image2[i].visible) bonus += kUnusedHelpBonus;
    if (HostCheckAvailable == True) bonus += kUnusedHelpBonus;
    if (ReplacementUsed == True) bonus -= kReplacementCost;
    // Winners are compared on their plain points; the bonus and the last speed bonus only
    // count in the score stored.
    double points = leadingNumber(lblOsv.caption);
    double score = points + bonus + leadingNumber(lblTraka.caption);
    replaceWeakest(*RsResults, Text1.caption, kWinnerLevel, points, score, platform_.today().iso());
}

} // namespace kvz
