// SPDX-License-Identifier: MIT
#include "measured_curve_file.h"

#include <algorithm>
#include <filesystem>

#include "full_path.h"

namespace kvt {

namespace {

bool mentions(std::string_view title, std::string_view word) {
  std::string lower(title);
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return lower.find(word) != std::string::npos;
}

struct Column {
  std::size_t index = 0;
  Unit unit = Unit::Cm;
};

// The column of the dimension among the titles. Where several have one of its units, those with
// `word` in the title, and of those the one with `preferred` (the loaded end's slip, not the free
// end's).
Column findColumn(const std::vector<std::string_view>& titles, Dimension dimension,
                  std::string_view word, std::string_view preferred, const std::string& where) {
  const char* example = dimension == Dimension::Length ? " (mm)" : " (kN)";
  std::vector<Column> found;
  for (std::size_t k = 0; k < titles.size(); ++k)
    if (const ColumnUnit unit = columnUnit(titles[k], dimension); unit.unit)
      found.push_back({k, *unit.unit});
  const auto narrow = [&](std::string_view with) {
    std::vector<Column> kept;
    for (const Column& c : found)
      if (mentions(titles[c.index], with)) kept.push_back(c);
    if (!kept.empty()) found = kept;
  };
  if (found.size() > 1) narrow(word);
  if (found.size() > 1) narrow(preferred);
  const std::string quantity = dimension == Dimension::Length ? "slip" : "force";
  if (found.empty())
    throw CsvTableError(where + "no column of " + quantity + " names its unit, as \"" + quantity +
                        example + "\"");
  if (found.size() > 1)
    throw CsvTableError(where + "several columns could be the " + quantity +
                        "; title the loaded end's \"loaded-end " + quantity + example + "\"");
  return found.front();
}

}  // namespace

MeasuredCurve readMeasuredCurve(const std::string& path) {
  const std::string file = fullPath(path);
  const std::vector<std::string> lines = csvFileLines(path);
  // Lines of "#" are notes: kvt's own files begin with one naming another law than kvt's.
  const auto note = [&](std::size_t i) {
    const std::string_view text = trimmedField(lines[i]);
    return text.empty() || text.starts_with('#') || text.starts_with("\xEF\xBB\xBF#");
  };
  std::size_t first = 0;
  while (first < lines.size() && note(first))
    ++first;
  if (first == lines.size())
    throw CsvTableError(file + ": the file has no header naming slip and force");
  const std::vector<std::string_view> titles = csvFields(lines[first]);
  const std::string header = file + ": line " + std::to_string(first + 1) + ": ";
  const Column slip = findColumn(titles, Dimension::Length, "slip", "loaded", header);
  const Column force = findColumn(titles, Dimension::Force, "force", "loaded", header);
  MeasuredCurve curve{std::filesystem::path(path).filename().string(), {}, {}};
  for (std::size_t i = first + 1; i < lines.size(); ++i) {
    if (note(i)) continue;
    const std::string where = file + ": line " + std::to_string(i + 1) + ": ";
    const std::vector<std::string_view> values = csvFields(lines[i]);
    if (values.size() != titles.size())
      throw CsvTableError(where + "the line holds " + std::to_string(values.size()) +
                          " values, the header names " + std::to_string(titles.size()));
    curve.slip.push_back(
        inUnit({csvNumber(values[slip.index], "the slip", where), slip.unit}, Unit::Cm));
    curve.force.push_back(
        inUnit({csvNumber(values[force.index], "the force", where), force.unit}, Unit::Kgf));
  }
  if (curve.slip.empty()) throw CsvTableError(file + ": the file has no point below its header");
  return curve;
}

}  // namespace kvt
