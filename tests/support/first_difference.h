// SPDX-License-Identifier: MIT
#pragma once

#include <algorithm>
#include <string>

#include "files/cp932.h"

namespace kvt::testing {

// Where two CR LF texts first differ: the line's number and both versions of it, converted from
// code page 932; "" when they are equal. A 15,000-line report that only "differs" tells nothing.
inline std::string firstDifference(const std::string& expected, const std::string& actual) {
  if (expected == actual) return "";
  std::size_t line = 1;
  std::size_t start = 0;
  const std::size_t common = std::min(expected.size(), actual.size());
  for (std::size_t i = 0; i < common && expected[i] == actual[i]; ++i) {
    if (expected[i] == '\n') {
      ++line;
      start = i + 1;
    }
  }
  const auto lineOf = [start](const std::string& text) {
    if (start >= text.size()) return std::string("(the end of the file)");
    const std::size_t end = text.find("\r\n", start);
    return '"' + fromCp932(text.substr(start, end == std::string::npos ? end : end - start)) + '"';
  };
  return "line " + std::to_string(line) + " differs:\n  expected " + lineOf(expected) +
         "\n  actual   " + lineOf(actual);
}

}  // namespace kvt::testing
