// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <variant>

namespace kvz {

// One database field as the game sees it: Null, a whole number, a double, a text or a
// truth value. The game tests "Null or empty" and compares numbers stored as text, so
// the conversions below follow those needs rather than strict typing.
class Value {
  public:
    using Storage = std::variant<std::monostate, std::int64_t, double, std::string, bool>;

    Value() = default;
    Value(std::int64_t v) : data_(v) {}
    Value(int v) : data_(static_cast<std::int64_t>(v)) {}
    Value(double v) : data_(v) {}
    Value(std::string v) : data_(std::move(v)) {}
    Value(const char* v) : data_(std::string(v)) {}
    Value(bool v) : data_(v) {}

    bool isNull() const { return std::holds_alternative<std::monostate>(data_); }
    bool isInteger() const { return std::holds_alternative<std::int64_t>(data_); }
    bool isDouble() const { return std::holds_alternative<double>(data_); }
    bool isText() const { return std::holds_alternative<std::string>(data_); }
    bool isBool() const { return std::holds_alternative<bool>(data_); }

    // Null, or a text of length 0.
    bool isNullOrEmpty() const;

    // The text form: "" for Null, plain decimal digits for numbers ("4000", "2.5"),
    // "True"/"False" for truth values.
    std::string text() const;

    // The numeric value: numbers as they are, a text by its leading number (Val), a truth
    // value as -1 or 0, Null as 0.
    double number() const;

    // True when the value is a number, or a text that is wholly a number (blanks around it
    // allowed), and equals n.
    bool equalsNumber(double n) const;

    // The whole number the value stands for when it is one exactly (a whole number, a whole
    // double, a text that is wholly a whole number); nothing otherwise.
    bool asWholeNumber(std::int64_t& out) const;

    bool truth() const { return number() != 0; }

    const Storage& storage() const { return data_; }
    bool operator==(const Value&) const = default;

  private:
    Storage data_;
};

// Val(t): the leading number of a text, leading blanks skipped, 0 when there is none.
double leadingNumber(std::string_view text);

// Text(n) for a double: plain decimal digits, no exponent, no thousands separator,
// no trailing ".0" ("4000", "-2", "2.5").
std::string plainNumberText(double n);

} // namespace kvz
