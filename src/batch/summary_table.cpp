// SPDX-License-Identifier: MIT
#include "summary_table.h"

#include "output/csv_export.h"
#include "study_run.h"

namespace kvt {

namespace {

constexpr const char* kLineEnd = "\r\n";

std::string withUnit(const char* name, Quantity q, UnitSystem units) {
  return std::string(name) + " (" + std::string(unitName(q, units)) + ")";
}

// A length in tenths of a cm, without a needless ".0": "200" rather than "200.0".
std::string shortLength(int tenths) {
  return tenths % 10 == 0 ? std::to_string(tenths / 10) : lengthText(tenths);
}

}  // namespace

std::string csvField(const std::string& text) {
  if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
  std::string quoted = "\"";
  for (const char c : text) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  return quoted + "\"";
}

SummaryTable::SummaryTable(const StudyOptions& study, UnitSystem units, bool lawColumn)
    : grid_(study.grid), units_(units), lawColumn_(lawColumn), fy_(study.fy) {
  if (study.findLb) lbMaxTenths_ = study.lbMaxTenths;
  if (study.findLb && !study.codes.codes.empty()) codes_ = &study.codes;
}

std::string SummaryTable::header() const {
  std::string text = "run";
  for (const VariedEntry& entry : grid_.entries())
    text += "," + entry.name();
  if (lawColumn_) text += ",law";
  for (const std::string& column : {std::string("outcome"), std::string("steps"),
                                    withUnit("tau_bmax", Quantity::Stress, units_),
                                    withUnit("tau_bumax", Quantity::Stress, units_),
                                    withUnit("Pbumax", Quantity::Force, units_),
                                    withUnit("loaded-end slip at Pbumax", Quantity::Length, units_),
                                    withUnit("free-end slip at Pbumax", Quantity::Length, units_),
                                    std::string("step at Pbumax"),
                                    withUnit("loaded-end slip at end", Quantity::Length, units_)})
    text += "," + column;
  if (lbMaxTenths_) {
    // The required length is a length typed into the lb box, so it stays in cm.
    text += "," + withUnit("yield force fy*Ab", Quantity::Force, units_) + ",required lb (cm)," +
            withUnit("Pbumax at required lb", Quantity::Force, units_) + "," +
            withUnit("Pbumax 0.1 cm shorter", Quantity::Force, units_);
  }
  if (codes_)
    for (const codes::DesignCode code : codes_->codes)
      text += "," + codeColumnTitle(code, units_);
  return text + kLineEnd;
}

std::string SummaryTable::line(const SummaryRow& row) const {
  const auto number = [&](double value, Quantity q) {
    return roundTripText(inUnits(value, q, units_));
  };
  std::string text = std::to_string(row.run);
  for (const std::string& value : row.values)
    text += "," + csvField(value);
  const RunRecord& run = row.record;
  if (lawColumn_) text += "," + csvField(lawSummary(run.law()));
  if (row.succeeded && run.stepCount() > 0) {
    const LoadSlipRow& peak = *run.row(run.peakStep());
    text += ",finished," + std::to_string(run.stepCount()) + "," +
            number(run.tauMax(), Quantity::Stress) + "," +
            number(run.tauAvgMax(), Quantity::Stress) + "," + number(run.PMax(), Quantity::Force) +
            "," + number(peak.loadedEndSlip, Quantity::Length) + "," +
            number(peak.s0, Quantity::Length) + "," + std::to_string(run.peakStep()) + "," +
            number(run.rows().back().loadedEndSlip, Quantity::Length);
  } else {
    text += "," + csvField(row.error) + ",,,,,,,,";
  }
  if (lbMaxTenths_ && row.required) {
    const RequiredLength& r = *row.required;
    text += "," + number(row.yieldForce, Quantity::Force) + ",";
    switch (r.kind) {
      case RequiredLength::Kind::Found:
        text += lengthText(r.tenths) + "," + number(r.PMax, Quantity::Force) + "," +
                (r.shorterTenths > 0 ? number(r.shorterPMax, Quantity::Force) : "");
        break;
      case RequiredLength::Kind::NotReached:
        text += "not reached up to " + shortLength(*lbMaxTenths_) + " cm,,";
        break;
      case RequiredLength::Kind::Failed:
        text +=
            csvField("failed at lb = " + lengthText(r.failedTenths) + " cm: " + r.failure) + ",,";
        break;
    }
  } else if (lbMaxTenths_) {
    text += ",,,,";
  }
  return text + codesLine(row) + kLineEnd;
}

// The codes' lengths for the case the run was made with, whatever became of its run.
std::string SummaryTable::codesLine(const SummaryRow& row) const {
  if (!codes_) return {};
  const codes::AnchorageCase c = anchorageCaseOf(row.record.parameters(), fy_, codes_->factors);
  std::string text;
  for (const codes::DesignCode code : codes_->codes)
    text += "," + codeLengthText(codes::anchorageLength(code, c).length, units_);
  return text;
}

}  // namespace kvt
