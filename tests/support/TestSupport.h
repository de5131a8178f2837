// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/Fixture.h"

#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kvz::test {

// A fresh folder under the system's temporary folder, removed with everything in it.
class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& path() const { return path_; }
    std::string file(const std::string& name) const { return (path_ / name).string(); }

  private:
    std::filesystem::path path_;
};

// A small, valid fixture: one settings row, ten empty results, `perLevel` questions on
// every level (the right answer cycling A, B, V, G), and tbSar when asked for.
Json sampleFixture(int perLevel = 1, bool withCollaborators = true);

// A question row for a fixture.
Json question(const std::string& text, int level, Json tac = 1, Json odred = nullptr);

// One field of the settings row as the database file at `path` holds it now.
Value storedSetting(const std::string& path, std::string_view field);

// What SQLite's integrity check says of the database: "ok" for a whole one.
std::string integrity(const Connection& conn);

// Every file of a folder with its content, by name: nothing made, changed or removed beside
// the database goes unnoticed.
std::map<std::string, std::string> filesIn(const std::string& folder);

// Whether `text` holds `part`; a failure shows the whole text.
::testing::AssertionResult contains(const std::string& text, const std::string& part);

std::string readFile(const std::string& path);
void writeFile(const std::string& path, const std::string& content);

// Runs a command through the shell; returns its exit status and fills `output` with what it
// printed on standard output and standard error.
int runCommand(const std::string& command, std::string* output = nullptr);

// Runs `body` in a process of its own as an ordinary user, one that file permissions hold:
// when the tests run as root, who writes anywhere, the folder `owned` is handed to the user
// "nobody" and the process becomes that user. Returns what `body` returned, or nothing when
// the process failed.
std::optional<std::string> asOrdinaryUser(const std::string& owned,
                                          const std::function<std::string()>& body);

// Starts a program with its output thrown away; returns its process id, or -1.
int startQuietly(const std::vector<std::string>& args);

// A count the environment sets for a longer run, or `fallback` when it sets none.
std::int64_t countFromEnvironment(const char* name, std::int64_t fallback);

} // namespace kvz::test
