// SPDX-License-Identifier: MIT
#pragma once

#include <span>
#include <string>
#include <vector>

#include "run_record.h"

namespace kvt {

// One entry of a run as the parameter window names it, with its value as entered (to six
// significant digits, enough for every single-precision entry to read as typed) and its unit.
struct RunEntry {
  std::string name;   // "db", "σt", "C1"; a law's own entries after "law"
  std::string value;  // "1.27", "118"
  std::string unit;   // in ASCII, as CSV headers write it: "cm", "kgf/cm2"; "" for a ratio
};

// A run's entries in the order of the parameter window (cotα … C2), then its bond law and the
// law's entries. Ec and Es are given in kgf/cm², C1 and C2 as entered (k1 and k2 over σt).
std::vector<RunEntry> runEntries(const RunRecord& run);

// The names of the entries in which any of `runs` differs from the first, in entry order.
std::vector<std::string> differingEntries(std::span<const RunRecord* const> runs);

// "db 1.27, lb 20": the named entries of a run, in the order given.
std::string entriesText(const RunRecord& run, std::span<const std::string> names);

// "lb 30, db 1.91": the entries in which `run` differs from `reference`; empty when none does.
std::string differencesFrom(const RunRecord& run, const RunRecord& reference);

// A name for each of `runs` that tells it from the others: the entries in which they differ
// ("lb 20, db 1.27" against "lb 30, db 1.91"); runs that differ in nothing get their case's
// name; and `numbers` ("run 3") tells apart any that would still read alike.
std::vector<std::string> comparisonNames(std::span<const RunRecord* const> runs,
                                         std::span<const int> numbers);

}  // namespace kvt
