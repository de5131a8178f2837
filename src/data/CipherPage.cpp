// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/CipherPage.h"

#include <array>
#include <memory>
#include <openssl/evp.h>

namespace kvz {

namespace {

// After the page data SQLCipher keeps the initialisation vector of the page (16 bytes) and
// its HMAC (20), the two rounded up to whole cipher blocks.
constexpr std::size_t kReserve = 48;
constexpr std::size_t kIvBytes = 16;
constexpr std::size_t kKeyBytes = 32;
// Key derivation rounds of the files this program writes, then of the library's defaults.
constexpr std::array<int, 2> kRounds = {1000, 64000};

using Cipher = std::unique_ptr<EVP_CIPHER_CTX, decltype(&EVP_CIPHER_CTX_free)>;

constexpr std::size_t kHeaderAfterSalt = 48; // header bytes 16..63

// The first blocks after the salt, decrypted: header bytes 16..63.
std::optional<std::array<unsigned char, kHeaderAfterSalt>>
headerAfterSalt(std::string_view page, int rounds, const std::string& password) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(page.data());
    std::array<unsigned char, kKeyBytes> key{};
    if (PKCS5_PBKDF2_HMAC_SHA1(password.data(), static_cast<int>(password.size()), bytes,
                               kSaltBytes, rounds, kKeyBytes, key.data()) != 1)
        return std::nullopt;
    Cipher ctx(EVP_CIPHER_CTX_new(), EVP_CIPHER_CTX_free);
    std::array<unsigned char, kHeaderAfterSalt> out{};
    int written = 0;
    if (!ctx ||
        EVP_DecryptInit_ex(ctx.get(), EVP_aes_256_cbc(), nullptr, key.data(),
                           bytes + page.size() - kReserve) != 1 ||
        EVP_CIPHER_CTX_set_padding(ctx.get(), 0) != 1 ||
        EVP_DecryptUpdate(ctx.get(), out.data(), &written, bytes + kSaltBytes,
                          static_cast<int>(out.size())) != 1 ||
        written != static_cast<int>(out.size()))
        return std::nullopt;
    return out;
}

std::uint32_t bigEndian(const unsigned char* p) {
    return std::uint32_t{p[0]} << 24 | std::uint32_t{p[1]} << 16 | std::uint32_t{p[2]} << 8 | p[3];
}

} // namespace

std::optional<std::uint32_t> writeCount(std::string_view page, const std::string& password) {
    if (page.size() < 512) return std::nullopt;
    static_assert(kIvBytes <= kReserve);
    for (int rounds : kRounds) {
        auto h = headerAfterSalt(page, rounds, password);
        if (!h) continue;
        // Offsets 16..23 of the header: the page size (1 for 65536), the format versions,
        // the reserved bytes, and the fixed payload fractions 64, 32, 32.
        const std::size_t size = std::size_t{(*h)[0]} << 8 | (*h)[1];
        const bool header = (size == page.size() || (size == 1 && page.size() == 65536)) &&
                            (*h)[4] == kReserve && (*h)[5] == 64 && (*h)[6] == 32 && (*h)[7] == 32;
        if (header) return bigEndian(h->data() + 60 - 16); // the user version, offset 60
    }
    return std::nullopt;
}

} // namespace kvz
