// SPDX-License-Identifier: MIT
// The comparison's table and its overlaid curves as CSV files: UTF-8 with CR LF line ends,
// headers in ASCII that name their units, numbers in their shortest round-trip form.
#include <algorithm>

#include "comparison_table.h"
#include "csv_export.h"

namespace kvt {

namespace {

constexpr const char* kLineEnd = "\r\n";

std::string column(const char* title, Quantity q, UnitSystem units) {
  return std::string(",") + title + " (" + std::string(unitName(q, units)) + ")";
}

std::string number(double kgfCmValue, Quantity q, UnitSystem units) {
  return "," + roundTripText(inUnits(kgfCmValue, q, units));
}

void appendRows(std::string& text, const std::string& curve, const RunRecord& run,
                UnitSystem units) {
  using Q = Quantity;
  const std::string name = csvField(curve);
  for (const LoadSlipRow& row : run.rows())
    text += name + "," + std::to_string(row.step) + number(row.s0, Q::Length, units) +
            number(row.loadedEndSlip, Q::Length, units) +
            number(row.loadedEndForce, Q::Force, units) + number(row.tauAvg, Q::Stress, units) +
            kLineEnd;
}

}  // namespace

std::string comparisonTableCsv(std::span<const ComparedRun> runs, UnitSystem units) {
  std::string text = "quantity,unit";
  std::string names = "name,";
  for (const ComparedRun& r : runs) {
    text += ",run " + std::to_string(r.number);
    names += "," + csvField(r.name);
  }
  text += kLineEnd + names + kLineEnd;
  for (const ComparisonRow& row : comparisonTable(runs, units)) {
    text += csvField(row.quantity) + "," + csvField(row.unit);
    for (const ComparisonCell& cell : row.cells)
      text += "," + (cell.number ? roundTripText(*cell.number) : csvField(cell.text));
    text += kLineEnd;
  }
  return text;
}

std::string comparedLoadSlipCsv(std::span<const ComparedRun> runs, const MeasuredCurve* measured,
                                UnitSystem units) {
  using Q = Quantity;
  std::string text = "curve,step" + column("free-end slip s0", Q::Length, units) +
                     column("loaded-end slip", Q::Length, units) +
                     column("loaded-end force", Q::Force, units) +
                     column("average bond stress", Q::Stress, units) + kLineEnd;
  for (const ComparedRun& r : runs)
    appendRows(text, r.name, *r.run, units);
  for (const ComparedRun& r : runs)
    if (r.converged) appendRows(text, r.name + " (converged)", *r.converged, units);
  if (measured) {
    const std::string name = csvField(measured->name + " (measured)");
    for (std::size_t k = 0; k < std::min(measured->slip.size(), measured->force.size()); ++k)
      text += name + ",," + number(measured->slip[k], Q::Length, units) +
              number(measured->force[k], Q::Force, units) + "," + kLineEnd;
  }
  return text;
}

std::string comparedProfileCsv(std::span<const ComparedRun> runs,
                               std::span<const std::vector<SectionRow>> sections,
                               UnitSystem units) {
  using Q = Quantity;
  std::string text = "curve,step,section" + column("x", Q::Length, units) +
                     column("slip", Q::Length, units) + column("bar force", Q::Force, units) +
                     column("bond stress of segment", Q::Stress, units) + kLineEnd;
  for (std::size_t k = 0; k < runs.size() && k < sections.size(); ++k) {
    const std::string prefix =
        csvField(runs[k].name) + "," + std::to_string(runs[k].run->peakStep()) + ",";
    for (const SectionRow& row : sections[k])
      text += prefix + std::to_string(row.i) + number(row.x, Q::Length, units) +
              number(row.sNext, Q::Length, units) + number(row.PNext, Q::Force, units) +
              number(row.tau, Q::Stress, units) + kLineEnd;
  }
  return text;
}

}  // namespace kvt
