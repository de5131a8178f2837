// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/Value.h"

#include "text/Trim.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>

namespace kvz {

namespace {

// The length of the number at the start of s (sign, digits, one decimal point); 0 if none.
std::size_t numberPrefix(std::string_view s) {
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '-' || s[i] == '+')) ++i;
    std::size_t digits = 0;
    while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i]))) ++i, ++digits;
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i]))) ++i, ++digits;
    }
    return digits == 0 ? 0 : i;
}

bool parseWhole(std::string_view s, double& out) {
    s = trimmed(s);
    std::size_t n = numberPrefix(s);
    if (n == 0 || n != s.size()) return false;
    out = leadingNumber(s);
    return true;
}

} // namespace

double leadingNumber(std::string_view text) {
    std::size_t start = 0;
    while (start < text.size() && (text[start] == ' ' || text[start] == '\t')) ++start;
    text.remove_prefix(start);
    std::size_t n = numberPrefix(text);
    if (n == 0) return 0;
    std::string part(text.substr(0, n));
    if (part.front() == '+') part.erase(0, 1);
    double v = 0;
    std::from_chars(part.data(), part.data() + part.size(), v);
    return v;
}

std::string plainNumberText(double n) {
    if (std::isnan(n) || std::isinf(n)) return "0";
    if (n == std::floor(n) && std::fabs(n) < 9.2e18)
        return std::to_string(static_cast<std::int64_t>(n));
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.15g", n);
    return buf;
}

bool Value::isNullOrEmpty() const {
    if (isNull()) return true;
    const auto* s = std::get_if<std::string>(&data_);
    return s != nullptr && s->empty();
}

std::string Value::text() const {
    struct Visitor {
        std::string operator()(std::monostate) const { return {}; }
        std::string operator()(std::int64_t v) const { return std::to_string(v); }
        std::string operator()(double v) const { return plainNumberText(v); }
        std::string operator()(const std::string& v) const { return v; }
        std::string operator()(bool v) const { return v ? "True" : "False"; }
    };
    return std::visit(Visitor{}, data_);
}

double Value::number() const {
    struct Visitor {
        double operator()(std::monostate) const { return 0; }
        double operator()(std::int64_t v) const { return static_cast<double>(v); }
        double operator()(double v) const { return v; }
        double operator()(const std::string& v) const { return leadingNumber(v); }
        double operator()(bool v) const { return v ? -1 : 0; }
    };
    return std::visit(Visitor{}, data_);
}

bool Value::equalsNumber(double n) const {
    if (isNull()) return false;
    if (const auto* s = std::get_if<std::string>(&data_)) {
        double v = 0;
        return parseWhole(*s, v) && v == n;
    }
    return number() == n;
}

bool Value::asWholeNumber(std::int64_t& out) const {
    double v = 0;
    if (const auto* i = std::get_if<std::int64_t>(&data_)) {
        out = *i;
        return true;
    }
    if (const auto* d = std::get_if<double>(&data_))
        v = *d;
    else if (const auto* s = std::get_if<std::string>(&data_)) {
        if (!parseWhole(*s, v)) return false;
    } else {
        return false;
    }
    if (v != std::floor(v) || std::fabs(v) > 9.0e18) return false;
    out = static_cast<std::int64_t>(v);
    return true;
}

} // namespace kvz
