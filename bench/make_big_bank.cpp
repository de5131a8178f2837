// SPDX-License-Identifier: GPL-3.0-or-later
// kvizomat-bigbank: writes a program folder holding a generated bank of about a million
// questions, for measuring the game on a large bank.
#include "BigBank.h"
#include "data/Database.h"

#include <filesystem>
#include <iostream>
#include <string>

int main(int argc, char** argv) {
    if (argc < 2 || argc > 3) {
        std::cerr << "usage: kvizomat-bigbank FOLDER [QUESTIONS_PER_LEVEL]\n";
        return 2;
    }
    const long long perLevel = argc == 3 ? std::stoll(argv[2]) : kvz::bench::kBigBankPerLevel;
    try {
        kvz::bench::writeBigBank(argv[1], perLevel);
    } catch (const std::exception& e) {
        std::cerr << "kvizomat-bigbank: " << e.what() << "\n";
        return 1;
    }
    std::cout << "wrote " << 15 * perLevel << " questions to "
              << (std::filesystem::path(argv[1]) / "Baza.mdb").string() << "\n";
    return 0;
}
