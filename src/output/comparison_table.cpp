// SPDX-License-Identifier: MIT
#include "comparison_table.h"

#include <algorithm>

#include "analysis/run_entries.h"

namespace kvt {

namespace {

std::string outcomeText(const RunRecord& run) {
  const RunRecord::Outcome outcome = run.outcome();
  if (outcome == RunRecord::Outcome::StepLimit || outcome == RunRecord::Outcome::Failed)
    return "failed: " + run.failure();
  return outcomeName(outcome);
}

// The entries of every run, by name, in the order the runs first give them.
std::vector<ComparisonRow> entryRows(std::span<const ComparedRun> runs) {
  std::vector<ComparisonRow> rows;
  for (std::size_t k = 0; k < runs.size(); ++k) {
    for (const RunEntry& e : runEntries(*runs[k].run)) {
      auto row = std::find_if(rows.begin(), rows.end(),
                              [&](const ComparisonRow& r) { return r.quantity == e.name; });
      if (row == rows.end())
        row = rows.insert(rows.end(), {e.name, e.unit, std::vector<ComparisonCell>(runs.size())});
      row->cells[k].text = e.value;
    }
  }
  return rows;
}

ComparisonRow resultRow(std::span<const ComparedRun> runs, const char* quantity, Quantity q,
                        UnitSystem units, std::optional<double> (*value)(const ComparedRun&)) {
  ComparisonRow row{quantity, std::string(unitName(q, units)), {}};
  for (const ComparedRun& r : runs) {
    const std::optional<double> v = value(r);
    row.cells.push_back({{}, v ? std::optional(inUnits(*v, q, units)) : std::nullopt});
  }
  return row;
}

std::optional<double> atPeak(const ComparedRun& r, double LoadSlipRow::*field) {
  const LoadSlipRow* peak = r.run->row(r.run->peakStep());
  return peak ? std::optional(peak->*field) : std::nullopt;
}

}  // namespace

std::vector<ComparisonRow> comparisonTable(std::span<const ComparedRun> runs, UnitSystem units) {
  ComparisonRow outcome{"outcome", "", {}};
  ComparisonRow steps{"steps", "", {}};
  ComparisonRow peakStep{"step of Pbumax", "", {}};
  for (const ComparedRun& r : runs) {
    outcome.cells.push_back({outcomeText(*r.run), {}});
    steps.cells.push_back({{}, r.run->stepCount()});
    peakStep.cells.push_back({{}, r.run->peakStep()});
  }
  std::vector<ComparisonRow> rows = entryRows(runs);
  rows.push_back(std::move(outcome));
  rows.push_back(std::move(steps));
  const auto add = [&](const char* quantity, Quantity q,
                       std::optional<double> (*value)(const ComparedRun&)) {
    rows.push_back(resultRow(runs, quantity, q, units, value));
  };
  add("analysed length", Quantity::Length,
      [](const ComparedRun& r) { return std::optional(r.run->analysedLength()); });
  add("τbmax", Quantity::Stress,
      [](const ComparedRun& r) { return std::optional(r.run->tauMax()); });
  add("Pbumax", Quantity::Force, [](const ComparedRun& r) {
    return r.run->stepCount() > 0 ? std::optional(r.run->PMax()) : std::nullopt;
  });
  rows.push_back(std::move(peakStep));
  add("loaded-end slip at Pbumax", Quantity::Length,
      [](const ComparedRun& r) { return atPeak(r, &LoadSlipRow::loadedEndSlip); });
  add("s0 at Pbumax", Quantity::Length,
      [](const ComparedRun& r) { return atPeak(r, &LoadSlipRow::s0); });
  add("τbumax", Quantity::Stress, [](const ComparedRun& r) {
    return r.run->stepCount() > 0 ? std::optional(r.run->tauAvgMax()) : std::nullopt;
  });
  if (std::any_of(runs.begin(), runs.end(), [](const ComparedRun& r) { return r.converged; })) {
    add("converged Pbumax", Quantity::Force, [](const ComparedRun& r) {
      return r.converged && r.converged->stepCount() > 0 ? std::optional(r.converged->PMax())
                                                         : std::nullopt;
    });
    add("converged loaded-end slip at Pbumax", Quantity::Length, [](const ComparedRun& r) {
      if (!r.converged) return std::optional<double>();
      const LoadSlipRow* peak = r.converged->row(r.converged->peakStep());
      return peak ? std::optional(peak->loadedEndSlip) : std::nullopt;
    });
  }
  return rows;
}

}  // namespace kvt
