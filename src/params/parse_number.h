// SPDX-License-Identifier: MIT
#pragma once

#include <string_view>

namespace kvt {

// Reads the leading number of a box text, the way every entry of the program is read:
// blanks, tabs and line feeds anywhere are ignored; then an optional sign, digits with at most
// one "." (in every locale; a comma ends the number), and an optional exponent introduced by
// E or D in either case. Reading stops at the first character that does not fit, and a text
// that does not start with a number reads as 0 without complaint, so a half-typed entry such as
// "-" or "1e" is harmless. "&H" and "&O" introduce hexadecimal and octal integers.
// A magnitude beyond the double range reads as an infinity; the numeric checks downstream
// report it.
double parseNumber(std::string_view text);

}  // namespace kvt
