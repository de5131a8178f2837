// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/BankImport.h"
#include "editor/model/QuestionStore.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace kvz::editor {

// Told how far a long import or export has come (done of total, in the caller's units);
// returns false to stop it.
using Progress = std::function<bool(std::int64_t done, std::int64_t total)>;

struct ImportReport {
    std::vector<std::int64_t> added; // the new rows, in the file's order
    std::vector<BankProblem> problems;
    std::vector<BankProblem> warnings;
    bool cancelled = false;
};

// Reads a bank file through the importer (its format by the file's ending; `level` for rows
// that state none) and, when every row passes, adds them all in one transaction; when one
// row is refused, none is added.
ImportReport importFile(QuestionStore& store, const std::string& path, std::optional<int> level,
                        const Progress& progress);

enum class ExportFormat { Csv, Json };

// Writes the questions in UTF-8 Cyrillic, as the importer reads them back, to `path`;
// throws std::runtime_error when the file cannot be written. False when stopped (the file is
// then not written).
bool exportFile(const std::vector<Question>& questions, ExportFormat format,
                const std::string& path, const Progress& progress);

} // namespace kvz::editor
