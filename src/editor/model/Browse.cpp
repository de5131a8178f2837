// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/model/Browse.h"

#include "text/DisplayCode.h"

namespace kvz::editor {

namespace {

// Lower case for the Serbian Latin alphabet and ASCII: what a search compares.
std::u32string lowered(std::u32string s) {
    for (char32_t& c : s) {
        if (c >= U'A' && c <= U'Z')
            c += 32;
        else if (c == U'Č' || c == U'Ć' || c == U'Ž' || c == U'Š' || c == U'Đ')
            c += 1; // each small letter follows its capital
    }
    return s;
}

} // namespace

bool LevelBalance::lopsided() const {
    if (questions < 2) return true;
    for (int n : right)
        if (n * 100 > questions * 35) return true;
    return false;
}

std::array<LevelBalance, 16> levelBalance(const std::vector<Question>& questions) {
    std::array<LevelBalance, 16> out{};
    for (const Question& q : questions) {
        if (q.level < 1 || q.level > 15) continue;
        auto& level = out[static_cast<std::size_t>(q.level)];
        ++level.questions;
        if (q.right >= 1 && q.right <= 4) ++level.right[static_cast<std::size_t>(q.right - 1)];
    }
    return out;
}

Search::Search(const std::string& typed) {
    // Both sides in Latin letters: a partly typed digraph ("zn" of "znanje") still matches.
    const auto latin = decodeUtf8(cyrillicToLatin(typed));
    if (latin) key_ = lowered(*latin);
}

bool Search::matches(const Question& q) const {
    if (key_.empty()) return true;
    auto holds = [&](const std::string& display) {
        return lowered(displayToLatin(display)).find(key_) != std::u32string::npos;
    };
    if (holds(q.text) || holds(q.note)) return true;
    for (const auto& a : q.answers)
        if (holds(a)) return true;
    return false;
}

} // namespace kvz::editor
