// SPDX-License-Identifier: MIT
#pragma once

namespace kvt {

// Throws `ArithmeticError` for a law asked for its stress at a slip that is none: below zero or
// not a number. The march never asks for one; a caller with its own slips may.
[[noreturn]] void throwNotASlip(const char* law, double s);

}  // namespace kvt
