// SPDX-License-Identifier: MIT
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "files/cp932.h"
#include "support/file_bytes.h"

namespace kvt::testing {

// The lines of a CR LF text file, converted to UTF-8. Every line, the last included, must end
// with CR LF, and no bare CR or LF may appear.
inline std::vector<std::string> reportLines(const std::string& bytes) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < bytes.size()) {
    const std::size_t end = bytes.find("\r\n", start);
    if (end == std::string::npos) {
      ADD_FAILURE() << "last line without CR LF: " << bytes.substr(start);
      break;
    }
    const std::string line = bytes.substr(start, end - start);
    EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos) << "bare line end in: " << line;
    lines.push_back(fromCp932(line));
    start = end + 2;
  }
  return lines;
}

}  // namespace kvt::testing
