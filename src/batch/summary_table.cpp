// SPDX-License-Identifier: MIT
#include "summary_table.h"

#include "analysis/bar_yield.h"
#include "analysis/segment_geometry.h"
#include "output/csv_export.h"
#include "study_run.h"

namespace kvt {

namespace {

constexpr const char* kLineEnd = "\r\n";

std::string withUnit(const std::string& name, Quantity q, UnitSystem units) {
  return name + " (" + std::string(unitName(q, units)) + ")";
}

// The unit a varied entry's typed text is in: the window's, unless values came with their own.
std::string typedUnit(const VariedEntry& entry) {
  if (entry.unitsTyped()) return "with unit";
  return shownUnit(entry.quantity(), UnitSystem::KgfCm).ascii;
}

// The length the row's method analyses: lb itself for the converged analysis, lb rounded up to
// whole segments for the march; none for entries that give no bar.
std::optional<double> analysedLengthOf(const SummaryRow& row) {
  const AnalysisParameters& p = row.record.parameters();
  if (row.method == RunMethod::Converged) return static_cast<double>(p.lb);
  try {
    return analysedLength(segmentGeometry(p.lb, p.deltaL).segmentCount, p.deltaL);
  } catch (const Error&) {
    return std::nullopt;
  }
}

}  // namespace

SummaryTable::SummaryTable(const StudyOptions& study, UnitSystem units, bool lawColumn,
                           std::optional<double> fy)
    : grid_(study.grid), units_(units), lawColumn_(lawColumn), fy_(fy) {
  if (study.findLb) lbMaxTenths_ = study.lbMaxTenths;
  if (study.findLb && !study.codes.codes.empty()) codes_ = &study.codes;
}

std::string SummaryTable::lengthOf(int tenths) const {
  if (units_ == UnitSystem::SI) return std::to_string(tenths);
  // "200" rather than "200.0".
  return tenths % 10 == 0 ? std::to_string(tenths / 10) : lengthText(tenths);
}

std::string SummaryTable::header() const {
  std::string text = "run";
  for (const VariedEntry& entry : grid_.entries()) {
    const std::string unit = shownUnit(entry.quantity(), units_).ascii;
    if (entry.isBar()) {
      text += ",bar (JIS G 3112),db (" + unit + ")";
    } else {
      text += "," + entry.name() + " (" + unit + ")," + entry.name() + " as typed (" +
              typedUnit(entry) + ")";
    }
  }
  if (lawColumn_) text += ",law";
  for (const std::string& column :
       {std::string("outcome"), std::string("steps"),
        withUnit("tau_bmax", Quantity::Stress, units_),
        withUnit("tau_bumax", Quantity::Stress, units_),
        withUnit("Pbumax", Quantity::Force, units_),
        withUnit("loaded-end slip at Pbumax", Quantity::Length, units_),
        withUnit("free-end slip at Pbumax", Quantity::Length, units_),
        std::string("step at Pbumax"), withUnit("loaded-end slip at end", Quantity::Length, units_),
        withUnit("bar stress at Pbumax", Quantity::Stress, units_)})
    text += "," + column;
  if (fy_)
    text += "," + withUnit("yield force fy*Ab", Quantity::Force, units_) +
            ",bar yields before pull-out (yes/no)";
  if (lbMaxTenths_) {
    const std::string shorter = units_ == UnitSystem::SI ? "1 mm" : "0.1 cm";
    text += "," + withUnit("required lb", Quantity::Length, units_) + "," +
            withUnit("Pbumax at required lb", Quantity::Force, units_) + "," +
            withUnit("Pbumax " + shorter + " shorter", Quantity::Force, units_);
  }
  if (codes_)
    for (const codes::DesignCode code : codes_->codes)
      text += "," + codeColumnTitle(code, units_);
  // Appended last, so that a reader of the columns before them finds them where they were.
  return text + ",method," + withUnit("analysed lb", Quantity::Length, units_) + kLineEnd;
}

std::string SummaryTable::line(const SummaryRow& row) const {
  const auto number = [&](double value, Quantity q) {
    return roundTripText(inUnits(value, q, units_));
  };
  std::string text = std::to_string(row.run);
  const std::vector<std::string> typed = grid_.typedValues(row.run - 1);
  for (std::size_t k = 0; k < row.values.size(); ++k) {
    const VariedEntry& entry = grid_.entries()[k];
    text += "," +
            csvField(entry.isBar() ? row.values[k]
                                   : roundTripText(entry.shown(row.values[k], units_))) +
            ",";
    text += csvField(entry.isBar() ? roundTripText(entry.shown(row.values[k], units_)) : typed[k]);
  }
  const RunRecord& run = row.record;
  if (lawColumn_) text += "," + csvField(lawSummary(run.law()));
  if (row.succeeded && run.stepCount() > 0) {
    const LoadSlipRow& peak = *run.row(run.peakStep());
    text += ",finished," + std::to_string(run.stepCount()) + "," +
            number(run.tauMax(), Quantity::Stress) + "," +
            number(run.tauAvgMax(), Quantity::Stress) + "," + number(run.PMax(), Quantity::Force) +
            "," + number(peak.loadedEndSlip, Quantity::Length) + "," +
            number(peak.s0, Quantity::Length) + "," + std::to_string(run.peakStep()) + "," +
            number(run.rows().back().loadedEndSlip, Quantity::Length) + "," +
            number(peakBarStress(run), Quantity::Stress);
  } else {
    text += "," + csvField(row.error) + ",,,,,,,,,";
  }
  if (fy_) {
    const double yieldForce = *fy_ * static_cast<double>(run.parameters().Ab);
    text += "," + number(yieldForce, Quantity::Force) + ",";
    if (row.succeeded && run.stepCount() > 0) text += yieldForce <= run.PMax() ? "yes" : "no";
  }
  if (lbMaxTenths_) text += requiredLengthFields(row);
  text += codesLine(row) + "," + methodName(row.method) + ",";
  if (const auto length = analysedLengthOf(row)) text += number(*length, Quantity::Length);
  return text + kLineEnd;
}

// The codes' lengths for the case the run was made with, whatever became of its run.
std::string SummaryTable::codesLine(const SummaryRow& row) const {
  if (!codes_) return {};
  const codes::AnchorageCase c =
      anchorageCaseOf(row.record.parameters(), fy_.value_or(0), codes_->factors);
  std::string text;
  for (const codes::DesignCode code : codes_->codes)
    text += "," + codeLengthText(codes::anchorageLength(code, c).length, units_);
  return text;
}

std::string SummaryTable::requiredLengthFields(const SummaryRow& row) const {
  if (!row.required) return ",,,";
  const auto force = [&](double kgf) {
    return roundTripText(inUnits(kgf, Quantity::Force, units_));
  };
  const std::string unit(unitName(Quantity::Length, units_));
  const RequiredLength& r = *row.required;
  switch (r.kind) {
    case RequiredLength::Kind::Found:
      return "," + (units_ == UnitSystem::SI ? lengthOf(r.tenths) : lengthText(r.tenths)) + "," +
             force(r.PMax) + "," + (r.shorterTenths > 0 ? force(r.shorterPMax) : "");
    case RequiredLength::Kind::NotReached:
      return ",not reached up to " + lengthOf(*lbMaxTenths_) + " " + unit + ",,";
    case RequiredLength::Kind::Failed:
      return "," +
             csvField("failed at lb = " + lengthOf(r.failedTenths) + " " + unit + ": " +
                      r.failure) +
             ",,";
  }
  return ",,,";
}

}  // namespace kvt
