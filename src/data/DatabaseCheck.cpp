// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/DatabaseCheck.h"

#include "data/CheckMemo.h"
#include "data/Journal.h"
#include "data/Schema.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace kvz {

namespace {

using Kind = DatabaseFault::Kind;

// Counters stay exact as doubles and far from overflowing when raised by one.
constexpr std::int64_t kMaxCounter = std::int64_t{1} << 53;

constexpr std::array<std::string_view, 5> kCounters = {"Start", "Tac", "Netac", "PTac", "PNetac"};
constexpr std::array<std::string_view, 8> kSettingsTexts = {"Ime",  "Datum",  "Firma",  "Mjesto",
                                                            "Mail", "Adresa", "TelFax", "Moto"};

[[noreturn]] void refuse(DatabaseFault fault) {
    throw BadDatabase(std::move(fault));
}

[[noreturn]] void refuse(Kind kind, std::string table = {}, std::string field = {},
                         std::int64_t rows = 0) {
    DatabaseFault f;
    f.kind = kind;
    f.table = std::move(table);
    f.field = std::move(field);
    f.rows = rows;
    refuse(std::move(f));
}

[[noreturn]] void refuseField(const std::string& table, std::int64_t row,
                              const FieldProblem& problem) {
    DatabaseFault f;
    f.kind = Kind::BadField;
    f.table = table;
    f.field = problem.field;
    f.row = row;
    f.fieldFault = problem.fault;
    refuse(std::move(f));
}

bool sameName(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) ==
               std::tolower(static_cast<unsigned char>(y));
    });
}

// Column names of a table in their order; empty when there is no such table.
std::vector<std::string> columnsOf(const Connection& conn, const std::string& table) {
    auto st = conn.prepare("PRAGMA table_info(" + table + ")");
    std::vector<std::string> names;
    while (st.step()) names.push_back(st.column(1).text());
    return names;
}

template <std::size_t N>
void requireFields(const Connection& conn, const std::string& table,
                   const std::array<std::string_view, N>& fields) {
    auto columns = columnsOf(conn, table);
    if (columns.empty()) refuse(Kind::MissingTable, table);
    for (auto f : fields)
        if (std::none_of(columns.begin(), columns.end(),
                         [&](const std::string& c) { return sameName(c, f); }))
            refuse(Kind::MissingField, table, std::string(f));
    // The questions are read by position: the question and the answers A..G follow the row
    // number at positions 1..5.
    if (table != "tbKviz") return;
    for (std::size_t i = 0; i < 5; ++i)
        if (columns.size() <= i + 1 || !sameName(columns[i + 1], kQuestionFields[i]))
            refuse(Kind::MissingField, table, std::string(kQuestionFields[i]));
}

std::string pragmaText(const Connection& conn, const char* pragma) {
    auto st = conn.prepare(pragma);
    return st.step() ? st.column(0).text() : std::string();
}

std::optional<FieldFault> counterFault(const Value& v) {
    std::int64_t n = 0;
    if (v.isNull()) return std::nullopt; // a counter never raised yet
    if (!v.asWholeNumber(n) || n < 0 || n >= kMaxCounter) return FieldFault::BadCounter;
    return std::nullopt;
}

void checkSettings(const Connection& conn) {
    requireFields(conn, "tbStat", kStatFields);
    std::int64_t rows = countRows(conn, "tbStat");
    if (rows != 1) refuse(Kind::SettingsRows, "tbStat", {}, rows);
    auto st = conn.prepare("SELECT * FROM tbStat");
    st.step();
    for (int i = 0; i < st.columnCount(); ++i) {
        std::string name = st.columnName(i);
        auto is = [&](std::string_view f) { return sameName(name, f); };
        std::optional<FieldFault> fault;
        if (std::any_of(kCounters.begin(), kCounters.end(), is))
            fault = counterFault(st.column(i));
        else if (std::any_of(kSettingsTexts.begin(), kSettingsTexts.end(), is))
            fault = textFault(st.column(i), false);
        if (fault) refuseField("tbStat", 0, {name, *fault, st.column(i)});
    }
}

void checkResults(const Connection& conn) {
    requireFields(conn, "tbRezultati", kResultFields);
    std::int64_t rows = countRows(conn, "tbRezultati");
    if (rows < 10) refuse(Kind::TooFewResults, "tbRezultati", {}, rows);
    auto st = conn.prepare("SELECT rowid, Ime FROM tbRezultati ORDER BY rowid");
    while (st.step())
        if (auto fault = textFault(st.column(1), false))
            refuseField("tbRezultati", static_cast<std::int64_t>(st.column(0).number()),
                        {"Ime", *fault, st.column(1)});
}

void checkQuestions(const Connection& conn, bool everyRow) {
    requireFields(conn, "tbKviz", kQuestionFields);
    if (!everyRow) return;
    scanQuestions(conn, [](std::int64_t rowid, std::int64_t, const std::vector<FieldProblem>& p) {
        if (!p.empty()) refuseField("tbKviz", rowid, p.front());
    });
}

// Why a file that SQLCipher cannot read with the game's password is refused.
Kind unreadableKind(const std::string& path) {
    std::string head(16, '\0');
    std::ifstream in(path, std::ios::binary);
    in.read(head.data(), static_cast<std::streamsize>(head.size()));
    return in && head == std::string("SQLite format 3\0", 16) ? Kind::NotEncrypted : Kind::Damaged;
}

// `remembered`: the file has not changed since it passed; the settings and results, which
// the game itself writes, are checked all the same.
void checkWhole(const Connection& conn, bool remembered) {
    if (pragmaText(conn, "PRAGMA page_count") == "0") refuse(Kind::Empty);
    // Reads every page, so damage anywhere is found now and not halfway through a game.
    if (!remembered && pragmaText(conn, "PRAGMA quick_check") != "ok") refuse(Kind::Damaged);
    checkSettings(conn);
    checkResults(conn);
    checkQuestions(conn, !remembered);
}

} // namespace

bool isDisplayText(std::string_view s) {
    return std::all_of(s.begin(), s.end(), [](char c) {
        auto u = static_cast<unsigned char>(c);
        return u >= 32 && u <= 126;
    });
}

std::optional<FieldFault> textFault(const Value& v, bool required) {
    if (v.isNullOrEmpty()) return required ? std::optional(FieldFault::Empty) : std::nullopt;
    if (!v.isText()) return std::nullopt;
    const std::string& s = std::get<std::string>(v.storage());
    if (s.size() > kMaxTextBytes) return FieldFault::TooLong;
    if (!isDisplayText(s)) return FieldFault::NotDisplayText;
    return std::nullopt;
}

std::int64_t countRows(const Connection& conn, const std::string& table) {
    auto st = conn.prepare("SELECT COUNT(*) FROM " + table);
    st.step();
    return static_cast<std::int64_t>(st.column(0).number());
}

std::vector<FieldProblem> questionProblems(const QuestionFields& q) {
    std::vector<FieldProblem> problems;
    for (std::size_t i = 0; i < 5; ++i)
        if (auto fault = textFault(q[i], true))
            problems.push_back({std::string(kQuestionFields[i]), *fault, q[i]});
    std::int64_t level = 0, tac = 0;
    if (!q[5].asWholeNumber(level) || level < 1 || level > 15)
        problems.push_back({"RB", FieldFault::BadLevel, q[5]});
    if (!q[6].asWholeNumber(tac) || tac < 1 || tac > 4)
        problems.push_back({"Tac", FieldFault::BadAnswer, q[6]});
    if (auto fault = textFault(q[7], false)) problems.push_back({"Odred", *fault, q[7]});
    return problems;
}

void scanQuestions(const Connection& conn, const QuestionVisitor& visit) {
    auto st = conn.prepare(
        "SELECT rowid, Pitanje, A, B, V, G, RB, Tac, Odred FROM tbKviz ORDER BY rowid");
    while (st.step()) {
        QuestionFields q;
        for (std::size_t i = 0; i < q.size(); ++i) q[i] = st.column(static_cast<int>(i) + 1);
        std::int64_t level = 0;
        if (!q[5].asWholeNumber(level) || level < 1 || level > 15) level = 0;
        visit(static_cast<std::int64_t>(st.column(0).number()), level, questionProblems(q));
    }
}

std::unique_ptr<Connection> openCheckedDatabase(const std::string& path, const DatabaseLock* lock,
                                                const CheckMemo* memo) {
    checkFilesBeside(path, lock);
    std::unique_ptr<Connection> conn;
    try {
        conn = std::make_unique<Connection>(path, kDatabasePassword);
        const std::string stamp = memo != nullptr ? CheckMemo::stampOf(path) : std::string();
        const bool remembered = memo != nullptr && memo->holds(stamp);
        checkWhole(*conn, remembered);
        // Only the file as it was checked is remembered, not one written meanwhile.
        if (memo != nullptr && !remembered && CheckMemo::stampOf(path) == stamp)
            memo->remember(stamp);
    } catch (const BadDatabase&) {
        throw;
    } catch (const DbError& e) {
        if (!e.notADatabase()) throw;
        refuse(conn ? Kind::Damaged : unreadableKind(path));
    }
    return conn;
}

namespace {

void requireWritablePlace(const std::filesystem::path& place, Kind kind) {
    if (faccessat(AT_FDCWD, place.c_str(), W_OK, AT_EACCESS) == 0) return;
    DatabaseFault fault;
    fault.kind = kind;
    fault.path = place.string();
    refuse(std::move(fault));
}

} // namespace

void requireWritableFile(const std::string& path) {
    requireWritablePlace(std::filesystem::absolute(path), Kind::ReadOnlyFile);
}

void requireWritableFolder(const std::string& path) {
    requireWritablePlace(std::filesystem::absolute(path).parent_path(), Kind::ReadOnlyFolder);
}

} // namespace kvz
