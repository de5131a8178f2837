// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/BankCheck.h"

#include "data/DatabaseCheck.h"

#include <sstream>

namespace kvz {

namespace {

std::string describe(const FieldProblem& p) {
    switch (p.fault) {
    case FieldFault::Empty:
        return p.field + " is empty";
    case FieldFault::NotDisplayText:
        return p.field + " is not display text";
    case FieldFault::TooLong:
        return p.field + " is longer than " + std::to_string(kMaxTextBytes) + " bytes";
    case FieldFault::BadLevel:
        return "RB \"" + p.value.text() + "\" is not a level 1..15";
    case FieldFault::BadAnswer:
        return "Tac \"" + p.value.text() + "\" is not an answer 1..4";
    case FieldFault::BadCounter:
        break;
    }
    return p.field + " \"" + p.value.text() + "\" is not a counter";
}

} // namespace

bool BankReport::everyLevelPlayable() const {
    for (int level = 1; level <= 15; ++level)
        if (wellFormed[static_cast<std::size_t>(level)] == 0) return false;
    return true;
}

BankReport checkBank(const Connection& conn) {
    Transaction snapshot(conn, Transaction::Kind::Read);
    BankReport report;
    scanQuestions(conn, [&](std::int64_t rowid, std::int64_t level,
                            const std::vector<FieldProblem>& problems) {
        if (level != 0) {
            ++report.questions[static_cast<std::size_t>(level)];
            if (problems.empty()) ++report.wellFormed[static_cast<std::size_t>(level)];
        }
        for (const auto& p : problems)
            report.problems.push_back("row " + std::to_string(rowid) + ": " + describe(p));
    });
    report.settingsRows = countRows(conn, "tbStat");
    report.resultRows = countRows(conn, "tbRezultati");
    if (report.settingsRows != 1)
        report.problems.push_back("tbStat holds " + std::to_string(report.settingsRows) +
                                  " rows; it must hold one");
    if (report.resultRows < 10)
        report.problems.push_back("tbRezultati holds " + std::to_string(report.resultRows) +
                                  " rows; it needs ten");
    return report;
}

std::string formatReport(const BankReport& r) {
    std::ostringstream out;
    out << "level  questions  well-formed\n";
    std::int64_t total = 0;
    for (std::size_t level = 1; level <= 15; ++level) {
        out << (level < 10 ? "    " : "   ") << level << "  " << r.questions[level] << "  "
            << r.wellFormed[level] << (r.wellFormed[level] == 0 ? "  NOT PLAYABLE" : "") << "\n";
        total += r.questions[level];
    }
    out << "total  " << total << "\n";
    for (std::size_t level = 1; level <= 15; ++level)
        if (r.questions[level] == 1)
            out << "warning: level " << level
                << " has one question: the replacement joker brings the same one back\n";
    for (const auto& p : r.problems) out << "problem: " << p << "\n";
    out << (r.clean()                ? "Every level can be played; no bad rows.\n"
            : r.everyLevelPlayable() ? "Every level can be played, but some rows are bad.\n"
                                     : "Not every level can be played.\n");
    return out.str();
}

} // namespace kvz
