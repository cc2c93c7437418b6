// SPDX-License-Identifier: MIT
// The result file writer on arbitrary records: any parameters and paths, any peak, sections and
// step results (NaNs, infinities, huge and negative values), with or without detail output, the
// run ending normally, stopped, or abandoned by a fault. Never crashes, and the file is whole
// CR LF lines in the report's layout: 3 header lines and a table header (or, in detail, a step
// line, the section header, one row per section and the table header per step), one result row
// per step, each row with its columns (right-aligned ones 8 characters wide, or wider when a
// value needs more).
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_support.h"
#include "output/result_file.h"
#include "support/file_bytes.h"
#include "support/fixed_clock.h"

namespace {

using kvt::fuzzing::anyDouble;
using kvt::fuzzing::anyFloat;

std::vector<std::string_view> words(std::string_view line) {
  std::vector<std::string_view> found;
  while (!line.empty()) {
    const std::size_t start = line.find_first_not_of(' ');
    if (start == std::string_view::npos) break;
    line.remove_prefix(start);
    const std::size_t end = std::min(line.find(' '), line.size());
    found.push_back(line.substr(0, end));
    line.remove_prefix(end);
  }
  return found;
}

// An R column: the text right-aligned in 8 characters, or whole when it is longer.
std::string aligned(std::string_view text) {
  return std::string(text.size() < 8 ? 8 - text.size() : 0, ' ') + std::string(text);
}

// A section row, R · "  " · E · "  " · E · "  " · R, or a result row, "   " · E · 7 blanks · E ·
// 8 blanks · R: built again from its own words, it must come out the same.
void checkRow(std::string_view line, bool section) {
  const auto w = words(line);
  if (w.size() != (section ? 4u : 3u)) std::abort();
  const std::string rebuilt = section ? aligned(w[0]) + "  " + std::string(w[1]) + "  " +
                                            std::string(w[2]) + "  " + aligned(w[3])
                                      : "   " + std::string(w[0]) + "       " + std::string(w[1]) +
                                            "        " + aligned(w[2]);
  if (rebuilt != line) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider in(data, size);
  kvt::AnalysisParameters p;
  p.db = anyFloat(in);
  p.ru = anyFloat(in);
  p.lb = anyFloat(in);
  p.cotAlpha = anyFloat(in);
  p.beta = anyFloat(in);
  p.deltaL = anyFloat(in);
  const bool detail = in.ConsumeBool();
  p.detailOutput = detail ? 1 : 0;
  p.parameterFilePath = in.ConsumeRandomLengthString(80);
  p.resultFilePath = kvt::fuzzing::scratchFolder() + "/report.kvt";
  const int segments = in.ConsumeIntegralInRange(0, 40);
  const int steps = in.ConsumeIntegralInRange(0, 12);
  const int ending = in.ConsumeIntegralInRange(0, 2);  // finished, stopped, abandoned

  const kvt::testing::FixedClock clock;
  std::string path;
  {
    kvt::ResultFile file(p, clock);
    file.runStarted({anyDouble(in), segments, 1, anyFloat(in), p.deltaL});
    path = file.path();
    kvt::StepResult result;
    for (int step = 1; step <= steps; ++step) {
      file.stepStarted(step, anyDouble(in), anyFloat(in));
      std::vector<kvt::SectionRow> rows(static_cast<std::size_t>(segments));
      for (int i = 1; i <= segments; ++i)
        rows[static_cast<std::size_t>(i - 1)] = {
            i, anyDouble(in), anyDouble(in), anyDouble(in), anyDouble(in), -1};
      file.sectionsComputed(rows);
      result = {step, anyDouble(in), anyFloat(in), anyDouble(in), anyDouble(in), anyDouble(in), 0,
                0};
      file.stepFinished(result);
    }
    if (ending == 0) file.runFinished(result);
    if (ending == 1) file.runStopped(steps + 1);
  }

  const std::string bytes = kvt::testing::readBytes(path);
  const auto lines = kvt::fuzzing::crLfLines(bytes);
  const std::size_t perStep = detail ? 2 + static_cast<std::size_t>(segments) + 2 : 1;
  const std::size_t header = detail ? 3 : 4;
  if (lines.size() != header + static_cast<std::size_t>(steps) * perStep) std::abort();
  std::size_t k = header;
  for (int step = 1; step <= steps; ++step) {
    if (detail) {
      if (!lines[k].starts_with("step =")) std::abort();
      k += 2;
      for (int i = 1; i <= segments; ++i)
        checkRow(lines[k++], true);
      ++k;  // the table header
    }
    checkRow(lines[k++], false);
  }
  return 0;
}
