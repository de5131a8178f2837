// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace kvz {

// Turning a typed player name into display code, and the name box's key filter.

// Lower case, edges and repeated separators (spaces, hyphens) removed, each word
// capitalised in display code ("  ana--marija  " -> "Ana-Marija"). Also stored back.
std::string ProperCaseName(std::string& s);

// Drops leading and trailing spaces and hyphens. Also stored back.
std::string StripEdgeSeparators(std::string& s);

// Drops every space or hyphen that follows a space or hyphen.
std::string CollapseSeparators(const std::string& s);

// The capital of a display-code letter (ž š đ ć č and a..z); the argument changes too.
char UpperDisplay(char& c);

// The small letter of the five special capitals, any other character unchanged.
char LowerDisplay(char& c);

// Joins the Latin pairs nj, Nj, lj, Lj, dž, Dž into one display-code letter each.
std::string JoinLetterPairs(const std::string& s);

// Whether the name box takes a typed character; a refused one is set to 0 (the caller
// beeps).
bool FilterNameKey(int& keyAscii);

} // namespace kvz
