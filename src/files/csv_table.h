// SPDX-License-Identifier: MIT
//
// Reading CSV files of numbers whose header names each column's unit in parentheses, as kvt
// writes them ("loaded-end slip (cm)") and as a measured law's points come ("slip (mm)"). The
// pieces are shared by every such reader, so that all take the same header, numbers and limits.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "error/error.h"
#include "params/quantity_text.h"

namespace kvt {

// A CSV file that cannot be read or is refused. The message names the file by its full path,
// the line, and the reason.
class CsvTableError : public Error {
 public:
  explicit CsvTableError(const std::string& message) : Error(ErrorKind::File, message) {}
};

// The file's lines, without their ends: at most a million lines and 16 MiB, an ordinary file.
std::vector<std::string> csvFileLines(const std::string& path);

std::string_view trimmedField(std::string_view s);
// The fields of a line, split at its commas, each without blanks around it. A header's UTF-8
// byte order mark is dropped.
std::vector<std::string_view> csvFields(std::string_view line);

// The unit in the last parentheses of a column's title, "slip (mm)" → mm, if it is one of the
// dimension's; otherwise why not, in words.
struct ColumnUnit {
  std::optional<Unit> unit;
  std::string problem;
};
ColumnUnit columnUnit(std::string_view title, Dimension dimension);

// A field that must be a whole finite number in the C locale's form; `where` begins the message
// ("FILE: line 3: ") and `column` names the value ("the slip").
double csvNumber(std::string_view field, const char* column, const std::string& where);

}  // namespace kvt
