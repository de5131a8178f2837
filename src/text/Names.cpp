// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/Names.h"

#include "text/Trim.h"

namespace kvz {

namespace {

bool isSeparator(char c) {
    return c == ' ' || c == '-';
}

} // namespace

std::string ProperCaseName(std::string& s) {
    std::string t = s;
    for (char& c : t)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    t = std::string(trimmed(t, " ")); // the game trims spaces only, not tabs
    StripEdgeSeparators(t);
    t = CollapseSeparators(t);
    bool wordStart = false;
    for (std::size_t i = 0; i < t.size(); ++i) {
        char& c = t[i];
        if (i == 0) {
            UpperDisplay(c);
        } else if (!wordStart) {
            if (isSeparator(c))
                wordStart = true;
            else
                LowerDisplay(c);
        } else if (c != '-') {
            UpperDisplay(c);
            wordStart = false;
        }
    }
    s = t;
    return t;
}

std::string StripEdgeSeparators(std::string& s) {
    std::size_t b = 0;
    while (b < s.size() && isSeparator(s[b])) ++b;
    std::size_t e = s.size();
    while (e > b && isSeparator(s[e - 1])) --e;
    s = s.substr(b, e - b);
    return s;
}

std::string CollapseSeparators(const std::string& s) {
    std::string out;
    for (char c : trimmed(s, " ")) {
        if (isSeparator(c) && !out.empty() && isSeparator(out.back())) continue;
        out += c;
    }
    return out;
}

char UpperDisplay(char& c) {
    switch (c) {
    case '`':
        c = '@';
        break;
    case '{':
        c = '[';
        break;
    case '|':
        c = '\\';
        break;
    case '}':
        c = ']';
        break;
    case '~':
        c = '^';
        break;
    default:
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return c;
}

char LowerDisplay(char& c) {
    switch (c) {
    case '@':
        c = '`';
        break;
    case '[':
        c = '{';
        break;
    case '\\':
        c = '|';
        break;
    case ']':
        c = '}';
        break;
    case '^':
        c = '~';
        break;
    default:
        break;
    }
    return c;
}

std::string JoinLetterPairs(const std::string& s) {
    std::string out;
    char prev = 0;
    for (char c : trimmed(s, " ")) {
        char joined = 0;
        if (c == 'j') {
            joined = prev == 'N'   ? 'W'
                     : prev == 'n' ? 'w'
                     : prev == 'L' ? 'Q'
                     : prev == 'l' ? 'q'
                                   : 0;
        } else if (c == '`') {
            joined = prev == 'D' ? 'X' : prev == 'd' ? 'x' : 0;
        }
        if (joined != 0)
            out.back() = joined;
        else
            out += c;
        prev = out.back();
    }
    return out;
}

bool FilterNameKey(int& keyAscii) {
    int k = keyAscii;
    bool passes = k == 8 || k == 13 || k == 32 || k == 45 || k == 46 || (k >= 64 && k <= 88) ||
                  (k >= 90 && k <= 94) || (k >= 96 && k <= 120) || (k >= 122 && k <= 126);
    if (!passes) keyAscii = 0;
    return passes;
}

} // namespace kvz
