// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

namespace kvz {

// The characters std::isspace takes for white space in the C locale.
inline constexpr std::string_view kWhiteSpace = " \t\n\v\f\r";

// `s` without the characters of `blanks` at either end.
constexpr std::string_view trimmed(std::string_view s, std::string_view blanks = kWhiteSpace) {
    const std::size_t first = s.find_first_not_of(blanks);
    if (first == std::string_view::npos) return {};
    return s.substr(first, s.find_last_not_of(blanks) - first + 1);
}

} // namespace kvz
