// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "data/Database.h"
#include "data/DatabaseCheck.h"
#include "data/Schema.h"

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace kvz {
class DatabaseLock;
}

namespace kvz::editor {

// A question as the editor holds it, texts in display code. A field the bank holds in a form
// the game refuses reads as empty text or as 0, which the check refuses again.
struct Question {
    std::int64_t id = 0; // 0 until the bank has it
    std::string text;
    std::array<std::string, 4> answers; // A, B, V, G
    int level = 1;                      // 1..15
    int right = 1;                      // 1..4
    std::string note;                   // the explanation shown after a wrong answer; may be empty

    bool operator==(const Question&) const = default;
};

// The fields as the game reads them, for its check.
QuestionFields fieldsOf(const Question& q);

// One question bank opened for editing. The file is locked for as long as the store lives,
// so that no game writes it meanwhile; every change is one transaction of its own.
class QuestionStore {
  public:
    // Opens `path`; throws DatabaseInUse when a game or another program holds it (byGame
    // tells which), BadDatabase when the files beside it cannot be trusted, DbError when
    // it cannot be opened. Rows the game would refuse are opened all the same, to be mended.
    explicit QuestionStore(const std::string& path);
    ~QuestionStore();
    QuestionStore(const QuestionStore&) = delete;
    QuestionStore& operator=(const QuestionStore&) = delete;

    // A bank without questions at `path`, made from the game's template database (its
    // settings row and record-holder rows), released questions and their record left out.
    // Refuses to replace an existing file.
    static void createFromTemplate(const std::string& templatePath, const std::string& path);

    const Connection& connection() const { return *conn_; }

    // Every question, in table order.
    std::vector<Question> questions() const;
    std::optional<Question> find(std::int64_t id) const;

    // Adds a new question at the end of the table; returns its row number.
    std::int64_t add(const Question& q);
    // Writes the question over the row of its id. A question that came with a release
    // becomes the player's own, so an upgrade of the bank keeps the edit.
    void update(const Question& q);
    // Deletes the row, remembering a released question so an upgrade does not bring it back.
    void remove(std::int64_t id);
    // Puts deleted questions back under their old row numbers, as the player's own.
    void restore(const std::vector<Question>& questions);
    // Deletes rows this session added, leaving nothing remembered (their add is undone).
    void takeBack(const std::vector<std::int64_t>& ids);

    // Whether another row holds the same question text.
    bool textExists(const std::string& display, std::int64_t exceptId) const;

  private:
    void write(const Question& q, bool withId);

    std::unique_ptr<DatabaseLock> lock_;
    std::unique_ptr<Connection> conn_;
};

} // namespace kvz::editor
