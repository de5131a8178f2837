// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/model/BankTransfer.h"

#include "common/Fixture.h"
#include "editor/model/QuestionDraft.h"

#include <filesystem>
#include <fstream>
#include <sstream>

namespace kvz::editor {

namespace {

struct Stopped {};

std::string csvField(const std::string& s) {
    if (s.find_first_of(",;\"\n\r") == std::string::npos) return s;
    std::string out = "\"";
    for (char c : s) {
        if (c == '"') out += '"';
        out += c;
    }
    return out + "\"";
}

std::string csvOf(const std::vector<Question>& questions, const Progress& progress) {
    std::ostringstream out;
    out << "Pitanje,A,B,V,G,RB,Tac,Odred\r\n";
    std::int64_t done = 0;
    for (const Question& q : questions) {
        out << csvField(shownText(q.text, false));
        for (const auto& a : q.answers) out << ',' << csvField(shownText(a, false));
        out << ',' << q.level << ',' << q.right << ',' << csvField(shownText(q.note, false))
            << "\r\n";
        if (progress && !progress(++done, static_cast<std::int64_t>(questions.size())))
            throw Stopped();
    }
    return out.str();
}

std::string jsonOf(const std::vector<Question>& questions, const Progress& progress) {
    Json out = Json::array();
    std::int64_t done = 0;
    for (const Question& q : questions) {
        Json row = {{"Pitanje", shownText(q.text, false)}};
        for (std::size_t i = 0; i < 4; ++i)
            row[std::string(kQuestionFields[i + 1])] = shownText(q.answers[i], false);
        row["RB"] = q.level;
        row["Tac"] = q.right;
        if (!q.note.empty()) row["Odred"] = shownText(q.note, false);
        out.push_back(std::move(row));
        if (progress && !progress(++done, static_cast<std::int64_t>(questions.size())))
            throw Stopped();
    }
    return out.dump(2) + "\n";
}

} // namespace

ImportReport importFile(QuestionStore& store, const std::string& path, std::optional<int> level,
                        const Progress& progress) {
    ImportReport report;
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        report.problems.push_back({0, "cannot read " + path});
        return report;
    }
    std::error_code ec;
    const auto size = static_cast<std::int64_t>(std::filesystem::file_size(path, ec));
    std::vector<BankQuestion> questions;
    try {
        readBank(in, bankFormatOf(path), level,
                 {[&](BankQuestion&& q) {
                      questions.push_back(std::move(q));
                      const auto at = static_cast<std::int64_t>(in.tellg());
                      if (progress && at >= 0 && !progress(at, size)) throw Stopped();
                  },
                  [&](BankProblem&& p) { report.problems.push_back(std::move(p)); },
                  [&](BankProblem&& w) { report.warnings.push_back(std::move(w)); }});
    } catch (const Stopped&) {
        report.cancelled = true;
        return report;
    }
    if (!report.problems.empty()) return report;
    Transaction tx(store.connection());
    QuestionInserter inserter(store.connection());
    for (const BankQuestion& q : questions) {
        inserter.add(q);
        report.added.push_back(store.connection().lastInsertRowid());
    }
    tx.commit();
    return report;
}

bool exportFile(const std::vector<Question>& questions, ExportFormat format,
                const std::string& path, const Progress& progress) {
    std::string content;
    try {
        content =
            format == ExportFormat::Csv ? csvOf(questions, progress) : jsonOf(questions, progress);
    } catch (const Stopped&) {
        return false;
    }
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << content;
    out.close();
    if (!out) throw std::runtime_error("cannot write " + path);
    return true;
}

} // namespace kvz::editor
