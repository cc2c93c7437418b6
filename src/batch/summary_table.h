// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "analysis/units.h"
#include "batch_run.h"
#include "code_lengths.h"
#include "output/csv_export.h"  // csvField
#include "required_length.h"
#include "study_grid.h"

namespace kvt {

struct StudyOptions;

// One run of a study as its summary shows it.
struct SummaryRow {
  std::uint64_t run = 0;            // 1 … in the whole grid, whatever the shard
  std::vector<std::string> values;  // of the varied entries, as typed
  bool succeeded = false;
  std::string error;  // why the run failed, in words
  RunRecord record;
  RunMethod method = RunMethod::Segments;
  double yieldForce = 0;  // fy·Ab, kgf, with a required length
  std::optional<RequiredLength> required;
};

// The summary of a study as comma-separated text: ASCII headers that name each quantity and its
// unit, numbers in their shortest round-trip form in the chosen units, CR LF line ends. A varied
// entry has two columns, its value in those units ("lb (mm)") and its text as typed with the
// unit it was typed in ("lb as typed (cm)"); a bar its name and its diameter. A study with
// another law than kvt's own names each run's law with all its entries in a column of its own,
// after the varied entries. Each run's bar stress at Pbumax is given, which an elastic bar may
// carry beyond any yield stress; with fy, the yield force and whether the bar yields before it
// pulls out; with the required length, the length and Pbumax at it and just shorter. Texts that
// hold a comma or a quote (an error in words) are quoted.
//
// With the required length, the design codes asked for with --codes add a column each, the
// code's length for the run's case; the header says whether it rests on design or mean values.
class SummaryTable {
 public:
  SummaryTable(const StudyOptions& study, UnitSystem units, bool lawColumn = false,
               std::optional<double> fy = std::nullopt);
  std::string header() const;
  std::string line(const SummaryRow& row) const;

 private:
  std::string codesLine(const SummaryRow& row) const;
  std::string requiredLengthFields(const SummaryRow& row) const;
  // A length given in tenths of a cm, in the summary's unit.
  std::string lengthOf(int tenths) const;

  const StudyGrid& grid_;
  UnitSystem units_;
  std::optional<int> lbMaxTenths_;  // set when the required length is sought
  bool lawColumn_ = false;
  const CodeRequest* codes_ = nullptr;  // with the required length
  std::optional<double> fy_;            // the bar's yield stress, kgf/cm², when given
};

}  // namespace kvt
