// SPDX-License-Identifier: GPL-3.0-or-later
// kvizomat-db: makes, reads, fills and checks the game's database.
#include "Help.h"
#include "common/BankCheck.h"
#include "common/BankImport.h"
#include "common/Fixture.h"
#include "data/BankRelease.h"
#include "data/DatabaseLock.h"
#include "data/Journal.h"

#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

namespace {

int usage(const std::string& problem) {
    std::cerr << "kvizomat-db: " << problem << "\n" << kHelp;
    return 2;
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + path);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// Opens a database after a look at the files beside it (judged under `lock`, when held).
kvz::Connection openExisting(const std::string& path, const kvz::DatabaseLock* lock) {
    if (!std::ifstream(path)) throw std::runtime_error(path + ": no such file");
    kvz::checkFilesBeside(path, lock);
    return kvz::Connection(path, kvz::kDatabasePassword);
}

int create(const std::string& db, const std::string& fixturePath) {
    kvz::Json fixture;
    try {
        fixture = kvz::Json::parse(readFile(fixturePath));
    } catch (const kvz::Json::exception& e) { // a syntax error, or a number out of range
        throw std::runtime_error(fixturePath + ": not valid JSON: " + e.what());
    }
    // A game on the file being replaced would write on into the old one, lost.
    std::unique_ptr<kvz::DatabaseLock> lock;
    if (std::filesystem::exists(db)) lock = std::make_unique<kvz::DatabaseLock>(db);
    kvz::createDatabase(db, fixture);
    return 0;
}

int exportDb(const std::string& db) {
    auto lock = kvz::lockIfFree(db); // none needed to read; while free, nobody writes meanwhile
    std::cout << kvz::exportDatabase(openExisting(db, lock.get())).dump(2) << "\n";
    return 0;
}

// What an import has done so far: the rows added, the problems reported.
struct ImportCount {
    int questions = 0;
    int problems = 0;
    int warnings = 0;
};

// Reads one bank file into the open transaction, reporting each problem as FILE:LINE: reason
// and each warning as FILE:LINE: warning: reason. Rows are added only while no problem has
// been found in any file; under `strict` a warning is a problem.
void importFile(const std::string& file, std::optional<int> level, bool strict,
                kvz::QuestionInserter& inserter, ImportCount& count) {
    auto say = [&](int line, const std::string& reason) {
        std::cerr << file << (line > 0 ? ":" + std::to_string(line) : "") << ": " << reason << "\n";
        ++count.problems;
    };
    std::error_code ec;
    if (std::filesystem::is_directory(file, ec)) return say(0, "is a folder, not a question bank");
    std::ifstream in(file, std::ios::binary);
    if (!in) return say(0, "cannot be read");
    const ImportCount before = count;
    kvz::readBank(in, kvz::bankFormatOf(file), level,
                  {[&](kvz::BankQuestion&& q) {
                       if (count.problems == 0) inserter.add(q);
                       ++count.questions;
                   },
                   [&](kvz::BankProblem&& p) { say(p.line, p.message); },
                   [&](kvz::BankProblem&& w) {
                       if (strict) return say(w.line, "warning: " + w.message);
                       std::cerr << file << ":" << w.line << ": warning: " << w.message << "\n";
                       ++count.warnings;
                   }});
    if (in.bad()) return say(0, "could not be read to its end");
    if (count.questions == before.questions && count.problems == before.problems)
        say(1, "holds no questions");
}

int import(const std::string& db, const std::vector<std::string>& args) {
    std::optional<int> level;
    bool strict = false;
    std::vector<std::string> files;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--strict") {
            strict = true;
        } else if (args[i] == "--level") {
            level = ++i < args.size() ? kvz::levelNumber(args[i]) : std::nullopt;
            if (!level) return usage("--level takes a level from 1 to 15");
        } else {
            files.push_back(args[i]);
        }
    }
    if (files.empty()) return usage("import needs at least one file");
    kvz::DatabaseLock lock(db);
    kvz::Connection conn = openExisting(db, &lock);
    conn.useRollbackJournal();
    // Rows go in as they are read, in one transaction committed only when every file was
    // read without a problem: a bank of any size takes little memory.
    kvz::Transaction tx(conn);
    kvz::QuestionInserter inserter(conn);
    ImportCount count;
    for (const auto& file : files) importFile(file, level, strict, inserter, count);
    if (count.problems > 0) {
        std::cerr << "kvizomat-db: " << count.problems << " problem(s); nothing was imported\n";
        return 1;
    }
    tx.commit();
    std::cout << "imported " << count.questions << " question(s)"
              << (count.warnings > 0 ? ", " + std::to_string(count.warnings) + " warning(s)" : "")
              << "\n";
    return 0;
}

int check(const std::string& db) {
    auto lock = kvz::lockIfFree(db);
    auto report = kvz::checkBank(openExisting(db, lock.get()));
    std::cout << kvz::formatReport(report);
    return report.clean() ? 0 : 1;
}

// The lines of a file of question texts, blank ones left out.
std::vector<std::string> readLines(const std::string& path) {
    std::istringstream in(readFile(path));
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        if (!line.empty()) lines.push_back(line);
    return lines;
}

int release(const std::string& db, const std::string& number, const std::string& earlier) {
    std::int64_t n = 0;
    if (number.empty() || number.size() > 9 ||
        number.find_first_not_of("0123456789") != std::string::npos || (n = std::stoll(number)) < 1)
        return usage("a release is a whole number from 1 on");
    const std::vector<std::string> texts =
        earlier.empty() ? std::vector<std::string>{} : readLines(earlier);
    kvz::DatabaseLock lock(db);
    kvz::Connection conn = openExisting(db, &lock);
    conn.useRollbackJournal();
    kvz::markRelease(conn, n, texts);
    std::cout << db << ": bank release " << n << ", " << texts.size()
              << " question text(s) of earlier releases known\n";
    return 0;
}

int upgrade(const std::string& db, const std::string& templ) {
    if (!std::ifstream(db)) throw std::runtime_error(db + ": no such file");
    if (!std::ifstream(templ)) throw std::runtime_error(templ + ": no such file");
    const kvz::UpgradeReport r = kvz::upgradeBankFile(db, templ);
    if (r.toRelease == 0) {
        std::cerr << "kvizomat-db: " << templ
                  << " records no bank release; mark it with \"kvizomat-db release\"\n";
        return 1;
    }
    if (!r.upgraded) {
        std::cout << db << " holds bank release " << r.fromRelease << ", the template "
                  << r.toRelease << ": nothing to change\n";
        return 0;
    }
    std::cout << db << ": bank release " << r.fromRelease << " upgraded to " << r.toRelease
              << "\n  " << r.replaced << " released question(s) replaced by the new release's "
              << r.added << "\n  " << r.ownKept << " question(s) of the player's own kept\n  "
              << r.notBroughtBack
              << " of the new release's left out: deleted by the player, or his own already\n"
              << "  counters, settings and records untouched\n";
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty() || args[0] == "--help" || args[0] == "-h") {
        std::cout << kHelp;
        return args.empty() ? 2 : 0;
    }
    if (args[0] == "--version" || args[0] == "-V") {
        std::cout << "kvizomat-db " << KVZ_VERSION << "\n";
        return 0;
    }
    const std::string& command = args[0];
    try {
        if (command == "create" && args.size() == 3) return create(args[1], args[2]);
        if (command == "export" && args.size() == 2) return exportDb(args[1]);
        if (command == "import" && args.size() >= 3)
            return import(args[1], {args.begin() + 2, args.end()});
        if (command == "check" && args.size() == 2) return check(args[1]);
        if (command == "release" && (args.size() == 3 || args.size() == 4))
            return release(args[1], args[2], args.size() == 4 ? args[3] : "");
        if (command == "upgrade" && args.size() == 3) return upgrade(args[1], args[2]);
    } catch (const kvz::DbError& e) {
        std::cerr << "kvizomat-db: " << e.what()
                  << (e.notADatabase() ? " (not a Kvizomat database, or damaged)" : "") << "\n";
        return 1;
    } catch (const std::exception& e) {
        std::cerr << "kvizomat-db: " << e.what() << "\n";
        return 1;
    }
    return usage("unknown command or wrong number of arguments");
}
