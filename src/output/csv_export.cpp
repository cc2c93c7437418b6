// SPDX-License-Identifier: MIT
#include "csv_export.h"

#include "params/format_number.h"

namespace kvt {

namespace {

constexpr const char* kLineEnd = "\r\n";

void appendNumber(std::string& line, double value) {
  line += shortestNumber(value);
}

// One CSV row: an integer key, then each value converted to the chosen units.
struct Column {
  const char* title;
  Quantity quantity;
};

template <std::size_t N>
std::string headerLine(const char* key, const Column (&columns)[N], UnitSystem units) {
  std::string line = key;
  for (const Column& column : columns) {
    line += ',';
    line += column.title;
    line += " (";
    line += unitName(column.quantity, units);
    line += ')';
  }
  return line + kLineEnd;
}

template <std::size_t N>
void appendRow(std::string& text, int key, const Column (&columns)[N], const double (&values)[N],
               UnitSystem units) {
  text += std::to_string(key);
  for (std::size_t k = 0; k < N; ++k) {
    text += ',';
    appendNumber(text, inUnits(values[k], columns[k].quantity, units));
  }
  text += kLineEnd;
}

constexpr Column kLoadSlipColumns[] = {{"free-end slip s0", Quantity::Length},
                                       {"loaded-end slip", Quantity::Length},
                                       {"loaded-end force", Quantity::Force},
                                       {"average bond stress", Quantity::Stress}};

// Row i: section i at x = i·Δl, and the bond stress of segment i that ends there.
constexpr Column kProfileColumns[] = {{"x", Quantity::Length},
                                      {"slip", Quantity::Length},
                                      {"bar force", Quantity::Force},
                                      {"bond stress of segment", Quantity::Stress}};

}  // namespace

std::string roundTripText(double value) {
  std::string text;
  appendNumber(text, value);
  return text;
}

void LoadSlipHistory::runStarted(const RunStart& start) {
  start_ = start;
  rows_.clear();
}

LoadSlipRow loadSlipRow(const StepResult& r) {
  return {r.step, r.s0, r.loadedEndSlip, r.loadedEndForce, r.tauAvg};
}

void LoadSlipHistory::stepFinished(const StepResult& result) {
  rows_.push_back(loadSlipRow(result));
}

void ProfileCapture::runStarted(const RunStart&) {
  profiles_.clear();
  capturing_ = false;
}

void ProfileCapture::stepStarted(int step, double, float) {
  capturing_ = steps_.contains(step);
  current_ = {step, {}};
}

void ProfileCapture::sectionsComputed(std::span<const SectionRow> rows) {
  if (capturing_) current_.sections.insert(current_.sections.end(), rows.begin(), rows.end());
}

// Only a finished step's profile is kept: a step cut short by a fault is incomplete.
void ProfileCapture::stepFinished(const StepResult&) {
  if (capturing_) profiles_.push_back(std::move(current_));
  capturing_ = false;
}

std::string loadSlipCsv(std::span<const LoadSlipRow> rows, UnitSystem units) {
  std::string text = headerLine("step", kLoadSlipColumns, units);
  text.reserve(text.size() + rows.size() * 96);
  for (const LoadSlipRow& row : rows)
    appendRow(text, row.step, kLoadSlipColumns,
              {row.s0, row.loadedEndSlip, row.loadedEndForce, row.tauAvg}, units);
  return text;
}

std::string profileCsv(const ProfileCapture::Profile& profile, UnitSystem units) {
  std::string text = headerLine("section", kProfileColumns, units);
  text.reserve(text.size() + profile.sections.size() * 96);
  for (const SectionRow& row : profile.sections)
    appendRow(text, row.i, kProfileColumns, {row.x, row.sNext, row.PNext, row.tau}, units);
  return text;
}

}  // namespace kvt
