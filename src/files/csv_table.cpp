// SPDX-License-Identifier: MIT
#include "csv_table.h"

#include <charconv>
#include <cmath>
#include <variant>

#include "first_lines.h"
#include "full_path.h"

namespace kvt {

namespace {
constexpr std::size_t kByteLimit = 16 * 1024 * 1024;
constexpr std::size_t kLineLimit = 1'000'000;
}  // namespace

std::vector<std::string> csvFileLines(const std::string& path) {
  auto read = readFirstLines(path, kLineLimit, kByteLimit);
  if (auto* unreadable = std::get_if<LinesUnreadable>(&read))
    throw CsvTableError(fullPath(path) + ": " + unreadable->reason);
  return std::get<std::vector<std::string>>(std::move(read));
}

std::string_view trimmedField(std::string_view s) {
  const auto first = s.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return s.substr(first, s.find_last_not_of(" \t") - first + 1);
}

std::vector<std::string_view> csvFields(std::string_view line) {
  if (line.starts_with("\xEF\xBB\xBF")) line.remove_prefix(3);  // a UTF-8 byte order mark
  std::vector<std::string_view> result;
  for (std::size_t start = 0;;) {
    const std::size_t comma = line.find(',', start);
    result.push_back(trimmedField(line.substr(start, comma - start)));
    if (comma == std::string_view::npos) return result;
    start = comma + 1;
  }
}

ColumnUnit columnUnit(std::string_view title, Dimension dimension) {
  const auto open = title.rfind('(');
  const auto close = title.rfind(')');
  if (open == std::string_view::npos || close == std::string_view::npos || close < open)
    return {std::nullopt, "the column \"" + std::string(title) +
                              "\" names no unit in parentheses, as \"slip (mm)\""};
  const std::string quantity = "1 " + std::string(title.substr(open + 1, close - open - 1));
  const QuantityReading reading = readQuantity(quantity, dimension);
  if (!reading.quantity) return {std::nullopt, reading.problem};
  return {reading.quantity->unit, {}};
}

double csvNumber(std::string_view field, const char* column, const std::string& where) {
  double value = 0;
  const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value);
  if (field.empty() || error != std::errc() || end != field.data() + field.size() ||
      !std::isfinite(value))
    throw CsvTableError(where + column + " \"" + std::string(field) + "\" is not a number");
  return value;
}

}  // namespace kvt
