// SPDX-License-Identifier: MIT
#include "csv_export.h"

#include "params/format_number.h"

namespace kvt {

namespace {

constexpr const char* kLineEnd = "\r\n";

void appendNumber(std::string& line, double value) {
  line += shortestNumber(value);
}

// One CSV row: an integer key, then each value converted to the chosen units.
struct Column {
  const char* title;
  Quantity quantity;
};

template <std::size_t N>
std::string headerLine(const char* key, const Column (&columns)[N], UnitSystem units) {
  std::string line = key;
  for (const Column& column : columns) {
    line += ',';
    line += column.title;
    line += " (";
    line += unitName(column.quantity, units);
    line += ')';
  }
  return line + kLineEnd;
}

template <std::size_t N>
void appendRow(std::string& text, int key, const Column (&columns)[N], const double (&values)[N],
               UnitSystem units) {
  text += std::to_string(key);
  for (std::size_t k = 0; k < N; ++k) {
    text += ',';
    appendNumber(text, inUnits(values[k], columns[k].quantity, units));
  }
  text += kLineEnd;
}

constexpr Column kLoadSlipColumns[] = {{"free-end slip s0", Quantity::Length},
                                       {"loaded-end slip", Quantity::Length},
                                       {"loaded-end force", Quantity::Force},
                                       {"average bond stress", Quantity::Stress}};

// Row i: section i at x = i·Δl, and the bond stress of segment i that ends there.
constexpr Column kProfileColumns[] = {{"x", Quantity::Length},
                                      {"slip", Quantity::Length},
                                      {"bar force", Quantity::Force},
                                      {"bond stress of segment", Quantity::Stress}};

}  // namespace

std::string roundTripText(double value) {
  std::string text;
  appendNumber(text, value);
  return text;
}

std::string csvField(const std::string& text) {
  if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
  std::string quoted = "\"";
  for (const char c : text) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  return quoted + "\"";
}

std::string loadSlipCsv(std::span<const LoadSlipRow> rows, UnitSystem units) {
  std::string text = headerLine("step", kLoadSlipColumns, units);
  text.reserve(text.size() + rows.size() * 96);
  for (const LoadSlipRow& row : rows)
    appendRow(text, row.step, kLoadSlipColumns,
              {row.s0, row.loadedEndSlip, row.loadedEndForce, row.tauAvg}, units);
  return text;
}

std::string profileCsv(std::span<const SectionRow> sections, UnitSystem units) {
  std::string text = headerLine("section", kProfileColumns, units);
  text.reserve(text.size() + sections.size() * 96);
  for (const SectionRow& row : sections)
    appendRow(text, row.i, kProfileColumns, {row.x, row.sNext, row.PNext, row.tau}, units);
  return text;
}

std::string lawCommentLine(const LawEntries& law) {
  if (isKvtLaw(law)) return {};
  return "# bond law: " + lawSummary(law) + "\r\n";
}

}  // namespace kvt
