// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "analysis/units.h"
#include "batch_run.h"
#include "required_length.h"
#include "study_grid.h"

namespace kvt {

// One run of a study as its summary shows it.
struct SummaryRow {
  std::uint64_t run = 0;            // 1 … in the whole grid, whatever the shard
  std::vector<std::string> values;  // of the varied entries, as typed
  bool succeeded = false;
  std::string error;  // why the run failed, in words
  RunRecord record;
  double yieldForce = 0;  // fy·Ab, kgf, with a required length
  std::optional<RequiredLength> required;
};

// The summary of a study as comma-separated text: ASCII headers that name each quantity and its
// unit (the varied entries by their --vary names, with the values as typed), numbers in their
// shortest round-trip form in the chosen units, CR LF line ends. Texts that hold a comma or a
// quote (an error in words) are quoted.
class SummaryTable {
 public:
  SummaryTable(const StudyGrid& grid, UnitSystem units, std::optional<int> lbMaxTenths);
  std::string header() const;
  std::string line(const SummaryRow& row) const;

 private:
  const StudyGrid& grid_;
  UnitSystem units_;
  std::optional<int> lbMaxTenths_;  // set when the required length is sought
};

// A field of a CSV line, quoted when it has to be.
std::string csvField(const std::string& text);

}  // namespace kvt
