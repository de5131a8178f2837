// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kvz {

// The first bytes of page 1 of an encrypted database file: the salt of its key, in the clear.
inline constexpr std::size_t kSaltBytes = 16;

// The write count this program keeps in the header of page 1 (see Transaction), read
// without SQLite from a whole page of a database written with `password`, as it lies in the
// file or in a journal: SQLCipher keeps the salt in the clear and encrypts the rest, the
// header included. Nothing when the page does not decrypt to a database header with either
// encryption setting the program knows (its own, or the library's defaults), such as a page
// torn by a power cut.
std::optional<std::uint32_t> writeCount(std::string_view page, const std::string& password);

} // namespace kvz
