// kvizomat-db: makes, reads, fills and checks the game's database.
#include "common/BankCheck.h"
#include "common/BankImport.h"
#include "common/Fixture.h"

#include <fstream>
#include <iostream>
#include <sstream>

namespace {

constexpr const char* kUsage = R"(usage:
  kvizomat-db create DB FIXTURE.json   a new database holding exactly the fixture's rows
  kvizomat-db export DB                the whole database as a fixture, on standard output
  kvizomat-db import DB [--level N] FILE...
                                       add questions written in UTF-8 Serbian (Cyrillic or
                                       Latin): .json, .csv, or the A./B./C./D./ANSWER: text
                                       format; nothing is added when any row is refused
  kvizomat-db check DB                 questions per level, bad rows, playable levels
)";

int usage(const std::string& problem) {
    std::cerr << "kvizomat-db: " << problem << "\n" << kUsage;
    return 2;
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + path);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

kvz::Connection openExisting(const std::string& path) {
    if (!std::ifstream(path)) throw std::runtime_error(path + ": no such file");
    return kvz::Connection(path, kvz::kDatabasePassword);
}

int create(const std::string& db, const std::string& fixturePath) {
    kvz::Json fixture;
    try {
        fixture = kvz::Json::parse(readFile(fixturePath));
    } catch (const kvz::Json::exception& e) { // a syntax error, or a number out of range
        throw std::runtime_error(fixturePath + ": not valid JSON: " + e.what());
    }
    kvz::createDatabase(db, fixture);
    return 0;
}

int exportDb(const std::string& db) {
    std::cout << kvz::exportDatabase(openExisting(db)).dump(2) << "\n";
    return 0;
}

int import(const std::string& db, const std::vector<std::string>& args) {
    std::optional<int> level;
    std::vector<std::string> files;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--level" && i + 1 < args.size()) {
            int n = std::atoi(args[++i].c_str());
            if (n < 1 || n > 15) return usage("--level takes a level from 1 to 15");
            level = n;
        } else {
            files.push_back(args[i]);
        }
    }
    if (files.empty()) return usage("import needs at least one file");
    std::vector<kvz::BankQuestion> all;
    int refused = 0;
    for (const auto& file : files) {
        auto parsed = kvz::parseBank(readFile(file), kvz::bankFormatOf(file), level);
        for (const auto& p : parsed.problems)
            std::cerr << file << ":" << p.line << ": " << p.message << "\n";
        refused += static_cast<int>(parsed.problems.size());
        all.insert(all.end(), parsed.questions.begin(), parsed.questions.end());
    }
    if (refused > 0) {
        std::cerr << "kvizomat-db: " << refused << " problem(s); nothing was imported\n";
        return 1;
    }
    kvz::addQuestions(openExisting(db), all);
    std::cout << "imported " << all.size() << " question(s)\n";
    return 0;
}

int check(const std::string& db) {
    auto report = kvz::checkBank(openExisting(db));
    std::cout << kvz::formatReport(report);
    return report.clean() ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty() || args[0] == "--help" || args[0] == "-h") {
        std::cout << kUsage;
        return args.empty() ? 2 : 0;
    }
    const std::string& command = args[0];
    try {
        if (command == "create" && args.size() == 3) return create(args[1], args[2]);
        if (command == "export" && args.size() == 2) return exportDb(args[1]);
        if (command == "import" && args.size() >= 3)
            return import(args[1], {args.begin() + 2, args.end()});
        if (command == "check" && args.size() == 2) return check(args[1]);
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
