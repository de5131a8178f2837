// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "data/Database.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kvz {

// The longest text a field may hold, far more than any label can show.
inline constexpr std::size_t kMaxTextBytes = 1000;

// Display code is printable 7-bit text.
bool isDisplayText(std::string_view s);

// What can be wrong with one field the game reads.
enum class FieldFault { Empty, NotDisplayText, TooLong, BadLevel, BadAnswer, BadCounter };

// The fault of a text the game shows, if any; Null or empty is one only when `required`.
// Numbers and truth values have a text form that is always fine.
std::optional<FieldFault> textFault(const Value& v, bool required);

// The number of rows of a table (a name the program knows, not one read from a file).
std::int64_t countRows(const Connection& conn, const std::string& table);

struct FieldProblem {
    std::string field;
    FieldFault fault;
    Value value;
};

// The fields of a question after its row number, in the order of kQuestionFields.
using QuestionFields = std::array<Value, 8>;

// The problems the game's check finds in one question, in field order: the one rule set of
// the start-up check, the bank check and the question editor.
std::vector<FieldProblem> questionProblems(const QuestionFields& q);

// Calls `visit` for every row of tbKviz in table order with its row number, its level
// (0 when RB is not a level 1..15) and the problems found in it.
using QuestionVisitor = std::function<void(std::int64_t rowid, std::int64_t level,
                                           const std::vector<FieldProblem>& problems)>;
void scanQuestions(const Connection& conn, const QuestionVisitor& visit);

// Why the game cannot use a database file.
struct DatabaseFault {
    enum class Kind {
        Empty,          // no data at all
        NotEncrypted,   // a database, but not protected by the game's password
        Damaged,        // unreadable: not a database, a wrong password, truncated or corrupt
        MissingTable,   // `table`
        MissingField,   // `field` of `table`, or not at its place
        SettingsRows,   // tbStat holds `rows` rows instead of one
        TooFewResults,  // tbRezultati holds `rows` rows, fewer than ten
        BadField,       // `field` of `table` in row `row` (0 for the settings row)
        ReadOnlyFile,   // the file at `path` may not be written to
        ReadOnlyFolder, // the folder at `path` may not be written to (nor its journal)
        // The file named `field` beside the database:
        PendingLog,              // changes another program has not written into the file
        ForeignJournal,          // a rollback journal that cannot belong to the file
        JournalInReadOnlyFolder, // a journal to roll back, in a folder that refuses it
    };
    Kind kind = Kind::Damaged;
    std::string table;
    std::string field;
    std::int64_t rows = 0;
    std::int64_t row = 0;
    FieldFault fieldFault = FieldFault::Empty;
    std::string path;
};

// A database the game refuses, found before anything was written to it.
class DatabaseLock;
class CheckMemo;

class BadDatabase : public DbError {
  public:
    explicit BadDatabase(DatabaseFault fault,
                         const std::string& what = "the database fails its check")
        : DbError(what), fault_(std::move(fault)) {}
    const DatabaseFault& fault() const { return fault_; }

  private:
    DatabaseFault fault_;
};

// Opens the game's database and reads it through: the files beside it first (see
// checkFilesBeside, which judges a journal under `lock`), then every page, the tables and
// fields the game uses, the settings row, the results and every question. Throws
// BadDatabase with the first fault found; nothing is written to the file before it passes.
// With a `memo`, a file unchanged since it last passed is spared the reading of every page
// and every question (the rest is still checked), and a file that passes is remembered.
std::unique_ptr<Connection> openCheckedDatabase(const std::string& path,
                                                const DatabaseLock* lock = nullptr,
                                                const CheckMemo* memo = nullptr);

// Throw BadDatabase (ReadOnlyFile, ReadOnlyFolder) when the program may not write the
// database at `path`, or create its journal beside it: a game that could store nothing is
// refused before it is played instead of failing at its first write.
void requireWritableFile(const std::string& path);
void requireWritableFolder(const std::string& path);

} // namespace kvz
