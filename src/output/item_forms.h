// SPDX-License-Identifier: MIT
//
// The item forms of the result file. Each appends its text to a line under construction; the
// report has no separators of its own, so the blanks an item carries are part of its layout.
#pragma once

#include <string>

namespace kvt {

// A bare single-precision number: a blank (or "-"), up to 7 significant digits in general
// notation with trailing zeros and point dropped, and a trailing blank: " 1.27 ", " 1E-05 ".
void appendBareNumber(std::string& line, float value);

// The value in the scientific pattern "0.000e+00", nine characters for v ≥ 0: "1.500e-04".
void appendScientific(std::string& line, double value);

// The value in "####0.00", right-aligned in eight columns: "    1.05". A longer text is
// written whole, widening its column, so that no digit of a large value is lost.
void appendRightAligned(std::string& line, double value);

}  // namespace kvt
