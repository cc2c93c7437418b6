// SPDX-License-Identifier: MIT
#include "batch_figures.h"

#include <cstdio>
#include <ctime>
#include <string_view>

#include "batch_run.h"
#include "figure_loader.h"
#include "figures/report_figures.h"
#include "files/atomic_write.h"

namespace kvt {

std::vector<std::string> writeRunFigures(const RunRecord& run, const std::string& resultFile,
                                         const FigureFiles& files,
                                         const std::set<int>& profileSteps, UnitSystem units,
                                         const LocalDateTime* stamp) {
  std::vector<std::pair<std::string, Figure>> figures = {
      {"load-slip", loadSlipFigure(run, units, 0, files.fy)},
      {"tau-slip", tauSlipFigure(run, units)},
      {"bond-law", bondLawFigure(run, units)}};
  std::set<int> steps;
  if (run.peakStep() > 0) steps.insert(run.peakStep());
  for (const int step : profileSteps)
    if (run.row(step)) steps.insert(step);
  for (const int step : steps)
    figures.emplace_back("profile.step" + std::to_string(step),
                         profileFigure(run, step, run.sections(step), units));

  std::vector<std::string> written;
  for (const auto& [name, figure] : figures)
    for (const FigureFormat format : files.formats) {
      const std::string path =
          besideResultFile(resultFile, name + "." + std::string(figureExtension(format)));
      std::string bytes = drawFigure(figure, format, files.size);
      if (stamp) stampCreationDate(bytes, format, *stamp);
      writeFileAtomically(path, bytes);
      written.push_back(path);
    }
  return written;
}

void stampCreationDate(std::string& bytes, FigureFormat format, const LocalDateTime& when) {
  if (format != FigureFormat::Pdf) return;
  // Qt writes "/CreationDate (D:YYYYMMDDHHMMSSZ)", in UTC.
  constexpr std::string_view key = "/CreationDate (D:";
  const std::size_t at = bytes.find(key);
  if (at == std::string::npos || at + key.size() + 15 > bytes.size() ||
      bytes[at + key.size() + 14] != 'Z')
    return;
  std::tm local{};
  local.tm_year = when.year - 1900;
  local.tm_mon = when.month - 1;
  local.tm_mday = when.day;
  local.tm_hour = when.hour;
  local.tm_min = when.minute;
  local.tm_sec = when.second;
  local.tm_isdst = -1;
  const std::time_t instant = std::mktime(&local);
  std::tm utc{};
  if (instant == -1 || !gmtime_r(&instant, &utc)) return;
  char digits[64];
  const int length =
      std::snprintf(digits, sizeof digits, "%04d%02d%02d%02d%02d%02d", utc.tm_year + 1900,
                    utc.tm_mon + 1, utc.tm_mday, utc.tm_hour, utc.tm_min, utc.tm_sec);
  if (length != 14) return;  // a year beyond four digits
  bytes.replace(at + key.size(), 14, digits, 14);
}

}  // namespace kvt
