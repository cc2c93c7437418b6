// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
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

// What parseNumber makes of a text and how much of it that is: `used` counts the characters from
// the start that form the number, blanks among them and after it included. A text is read in
// full when `used` is its whole length: "2 5" (25) and an empty box (0, with nothing left
// over) are; "20,5" (20), "1e" (1) and "abc" (0) are read only in part.
struct NumberReading {
  double value = 0;
  std::size_t used = 0;
};
NumberReading readNumber(std::string_view text);

}  // namespace kvt
