#include "common/BankCheck.h"

#include <sstream>

namespace kvz {

namespace {

const char* const kColumns[] = {"Pitanje", "A", "B", "V", "G"};

// Display code is printable 7-bit text.
bool isDisplayText(const std::string& s) {
    for (char c : s)
        if (static_cast<unsigned char>(c) < 32 || static_cast<unsigned char>(c) > 126) return false;
    return true;
}

std::int64_t countRows(const Connection& conn, const char* table) {
    auto st = conn.prepare(std::string("SELECT COUNT(*) FROM ") + table);
    st.step();
    return static_cast<std::int64_t>(st.column(0).number());
}

} // namespace

bool BankReport::everyLevelPlayable() const {
    for (int level = 1; level <= 15; ++level)
        if (wellFormed[static_cast<std::size_t>(level)] == 0) return false;
    return true;
}

BankReport checkBank(const Connection& conn) {
    BankReport report;
    auto st =
        conn.prepare("SELECT ID, Pitanje, A, B, V, G, RB, Tac, Odred FROM tbKviz ORDER BY rowid");
    while (st.step()) {
        std::string id = "row " + st.column(0).text();
        std::vector<std::string> found;
        for (int i = 1; i <= 5; ++i) {
            Value v = st.column(i);
            if (v.isNullOrEmpty())
                found.push_back(std::string(kColumns[i - 1]) + " is empty");
            else if (!isDisplayText(v.text()))
                found.push_back(std::string(kColumns[i - 1]) + " is not display text");
        }
        Value odred = st.column(8);
        if (!odred.isNull() && !isDisplayText(odred.text()))
            found.push_back("Odred is not display text");
        std::int64_t rb = 0, tac = 0;
        bool rbOk = st.column(6).asWholeNumber(rb) && rb >= 1 && rb <= 15;
        if (!rbOk) found.push_back("RB \"" + st.column(6).text() + "\" is not a level 1..15");
        if (!(st.column(7).asWholeNumber(tac) && tac >= 1 && tac <= 4))
            found.push_back("Tac \"" + st.column(7).text() + "\" is not an answer 1..4");
        if (rbOk) {
            ++report.questions[static_cast<std::size_t>(rb)];
            if (found.empty()) ++report.wellFormed[static_cast<std::size_t>(rb)];
        }
        for (auto& f : found) report.problems.push_back(id + ": " + f);
    }
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
    for (const auto& p : r.problems) out << "problem: " << p << "\n";
    out << (r.clean()                ? "Every level can be played; no bad rows.\n"
            : r.everyLevelPlayable() ? "Every level can be played, but some rows are bad.\n"
                                     : "Not every level can be played.\n");
    return out.str();
}

} // namespace kvz
