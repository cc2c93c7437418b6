// SPDX-License-Identifier: MIT
#include "csv_export.h"

#include <charconv>

namespace kvt {

namespace {

constexpr const char* kLineEnd = "\r\n";

void appendNumber(std::string& line, double value) {
  char buffer[32];
  const auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
  line.append(buffer, end);
}

}  // namespace

std::string roundTripText(double value) {
  std::string text;
  appendNumber(text, value);
  return text;
}

void LoadSlipHistory::runStarted(const RunStart&) {
  rows_.clear();
}

void LoadSlipHistory::stepFinished(const StepResult& r) {
  rows_.push_back({r.step, r.s0, r.loadedEndSlip, r.loadedEndForce, r.tauAvg});
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

std::string loadSlipCsv(std::span<const LoadSlipRow> rows) {
  std::string text =
      "step,free-end slip s0 (cm),loaded-end slip (cm),loaded-end force (kgf),"
      "average bond stress (kgf/cm2)";
  text += kLineEnd;
  text.reserve(text.size() + rows.size() * 96);
  for (const LoadSlipRow& row : rows) {
    text += std::to_string(row.step);
    for (const double value : {row.s0, row.loadedEndSlip, row.loadedEndForce, row.tauAvg}) {
      text += ',';
      appendNumber(text, value);
    }
    text += kLineEnd;
  }
  return text;
}

std::string profileCsv(const ProfileCapture::Profile& profile) {
  // Row i: section i at x = i·Δl, and the bond stress of segment i that ends there.
  std::string text = "section,x (cm),slip (cm),bar force (kgf),bond stress of segment (kgf/cm2)";
  text += kLineEnd;
  for (const SectionRow& row : profile.sections) {
    text += std::to_string(row.i);
    for (const double value : {row.x, row.sNext, row.PNext, row.tau}) {
      text += ',';
      appendNumber(text, value);
    }
    text += kLineEnd;
  }
  return text;
}

}  // namespace kvt
