// SPDX-License-Identifier: GPL-3.0-or-later
#include "BigBank.h"

#include "common/BankImport.h"
#include "common/Fixture.h"
#include "data/BankRelease.h"

#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

namespace kvz::bench {

namespace {

namespace fs = std::filesystem;

Json baseFixture() {
    std::ifstream in(fs::path(KVZ_SOURCE_DIR) / "assets/bank/base.json");
    std::ostringstream text;
    text << in.rdbuf();
    return Json::parse(text.str());
}

// Display-code texts of about the length of the bundled bank's.
BankQuestion generated(std::int64_t n, int level) {
    const std::string id = std::to_string(n);
    BankQuestion q;
    q.pitanje = "Pitawe " + id + " za nivo " + std::to_string(level) +
                ": koji od ponu|enih odgovora je ta~an?";
    const char* stems[4] = {"Prvi odgovor ", "Drugi odgovor ", "Tre}i odgovor ",
                            "^etvrti odgovor "};
    for (int i = 0; i < 4; ++i) q.answers[i] = stems[i] + id;
    q.rb = level;
    q.tac = static_cast<int>(n % 4) + 1;
    if (n % 3 == 0) q.odred = "Obja{wewe uz pitawe " + id + ", prikazano posle pogre{nog odgovora.";
    return q;
}

} // namespace

void writeBigBank(const std::string& folder, std::int64_t perLevel) {
    fs::create_directories(folder);
    const std::string db = (fs::path(folder) / "Baza.mdb").string();
    createDatabase(db, baseFixture());
    Connection conn(db, kDatabasePassword);
    std::int64_t n = 0;
    for (int level = 1; level <= 15; ++level) {
        std::vector<BankQuestion> questions;
        questions.reserve(static_cast<std::size_t>(perLevel));
        for (std::int64_t i = 0; i < perLevel; ++i) questions.push_back(generated(++n, level));
        addQuestions(conn, questions);
    }
}

std::string bigBankFolder() {
    const fs::path folder = fs::path(KVZ_BENCH_DATA_DIR) / "big-bank";
    if (!fs::exists(folder / "Baza.mdb")) {
        std::cerr << "Writing the " << 15 * kBigBankPerLevel << "-question bank to " << folder
                  << " ...\n";
        writeBigBank(folder.string());
    }
    return folder.string();
}

std::string upgradedBigBankFolder() {
    const fs::path folder = fs::path(KVZ_BENCH_DATA_DIR) / "upgraded-big-bank";
    if (fs::exists(folder / "Baza.mdb")) return folder.string();
    const fs::path release = fs::path(KVZ_BENCH_DATA_DIR) / "big-bank-release.mdb";
    fs::copy_file(fs::path(bigBankFolder()) / "Baza.mdb", release,
                  fs::copy_options::overwrite_existing);
    markRelease(Connection(release.string(), kDatabasePassword), 1, {});
    std::cerr << "Upgrading a player's copy to the " << 15 * kBigBankPerLevel
              << "-question bank in " << folder << " ...\n";
    fs::create_directories(folder);
    const std::string db = (folder / "Baza.mdb").string();
    createDatabase(db, baseFixture());
    std::vector<BankQuestion> own;
    for (int i = 0; i < 20; ++i)
        own.push_back(generated(100'000'000 + i, i % 15 + 1)); // texts no release has
    addQuestions(Connection(db, kDatabasePassword), own);
    upgradeBankFile(db, release.string());
    fs::remove(release);
    return folder.string();
}

} // namespace kvz::bench
