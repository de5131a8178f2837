// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/CheckMemo.h"

#include <filesystem>
#include <fstream>
#include <iomanip>
#include <memory>
#include <openssl/evp.h>
#include <sstream>
#include <vector>

namespace kvz {

std::string CheckMemo::stampOf(const std::string& database) {
    std::error_code error;
    if (database.empty()) return {};
    const std::filesystem::path file = std::filesystem::canonical(database, error);
    std::ifstream in(file, std::ios::binary);
    std::unique_ptr<EVP_MD_CTX, decltype(&EVP_MD_CTX_free)> digest(EVP_MD_CTX_new(),
                                                                   &EVP_MD_CTX_free);
    if (error || !in || !digest || EVP_DigestInit_ex(digest.get(), EVP_sha256(), nullptr) != 1)
        return {};
    std::vector<char> block(1 << 16);
    while (in.read(block.data(), static_cast<std::streamsize>(block.size())) || in.gcount() > 0)
        EVP_DigestUpdate(digest.get(), block.data(), static_cast<std::size_t>(in.gcount()));
    unsigned char sum[EVP_MAX_MD_SIZE];
    unsigned int length = 0;
    if (in.bad() || EVP_DigestFinal_ex(digest.get(), sum, &length) != 1) return {};
    std::ostringstream line;
    line << file.string() << ' ' << std::hex << std::setfill('0');
    for (unsigned int i = 0; i < length; ++i) line << std::setw(2) << int{sum[i]};
    return line.str();
}

bool CheckMemo::holds(const std::string& stamp) const {
    if (memoFile_.empty() || stamp.empty()) return false;
    std::ifstream in(memoFile_);
    std::string kept;
    return std::getline(in, kept) && kept == stamp;
}

void CheckMemo::remember(const std::string& stamp) const {
    if (memoFile_.empty() || stamp.empty()) return;
    std::error_code error;
    std::filesystem::create_directories(std::filesystem::path(memoFile_).parent_path(), error);
    // Written beside and renamed over, so that a memo is never read half written.
    const std::string fresh = memoFile_ + ".new";
    std::ofstream out(fresh, std::ios::trunc);
    out << stamp << '\n';
    out.close();
    if (out) std::filesystem::rename(fresh, memoFile_, error);
    if (!out || error) std::filesystem::remove(fresh, error);
}

} // namespace kvz
