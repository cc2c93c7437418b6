// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>

namespace kvt {

// A line for the terminal with every control character written out as an escape ("\n", "\t",
// "\x1b", "\u009b"), and every byte that is not UTF-8 as "\xHH". File names, comments and
// entries come from outside: a name holding a line break would split its one-line result in
// two, and an escape sequence in one could recolour, move or rewrite what the terminal shows.
std::string terminalText(std::string_view text);

}  // namespace kvt
