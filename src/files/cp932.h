// SPDX-License-Identifier: MIT
//
// The files layer: the program's text files are in code page 932 (Windows-31J) with CR LF line
// ends, so that they exchange byte for byte with the Windows program's users. Inside the program
// every text is UTF-8; these functions convert at the file boundary.
#pragma once

#include <string>
#include <string_view>

namespace kvt {

// UTF-8 to code page 932. Windows-31J, not strict Shift_JIS: "㎡" is 87 75, "～" is 81 60.
// A character the code page cannot represent becomes "?", as Windows writes it; `lossy` (when
// given) tells whether that happened. Invalid UTF-8 bytes are treated the same way.
std::string toCp932(std::string_view utf8, bool* lossy = nullptr);

// Code page 932 to UTF-8. A byte that starts no valid character becomes U+FFFD; `lossy` (when
// given) tells whether that happened.
std::string fromCp932(std::string_view cp932, bool* lossy = nullptr);

}  // namespace kvt
