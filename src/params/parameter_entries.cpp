// SPDX-License-Identifier: MIT
#include "parameter_entries.h"

#include <stdexcept>

#include "format_number.h"
#include "numeric_boxes.h"
#include "parse_number.h"

namespace kvt {

namespace {

constexpr int kCommentBox = 1;
constexpr int kDeltaLBox = 4;
constexpr int kDbBox = 10;
constexpr int kInitialDsBox = 20;  // the one box a parameter file does not hold

NumericError ruleError(const NumericBox& box, const std::string& text, const std::string& what) {
  return {0, std::string(box.controlName),
          "The entry for " + std::string(box.label) + " (\"" + text + "\") " + what + "."};
}

}  // namespace

std::optional<NumericError> ParameterEntries::setText(int box, std::string_view text) {
  if (box != kCommentBox && !findNumericBox(box))
    throw std::out_of_range("the parameter window has no box Text" + std::to_string(box));
  if (texts_[box] == text) return std::nullopt;
  texts_[box] = std::string(text);
  auto error = runRule(box);
  if (textListener_) textListener_(box);
  return error;
}

void ParameterEntries::setDetailOutput(bool checked) {
  detailOutput_ = checked;
  record_.detailOutput = checked ? 1 : 0;
  if (detailListener_) detailListener_(checked);
}

std::optional<NumericError> ParameterEntries::runRule(int box) {
  const std::string& text = texts_[box];
  if (box == kCommentBox) {
    record_.comment = text;
    return std::nullopt;
  }
  const double n = parseNumber(text);
  if (box == kDbBox) return runDbRule(n);
  const NumericBox& entry = *findNumericBox(box);
  float& field = record_.*entry.field;
  field = toSingle(n * entry.scale);
  if (entry.scale != 1.0) {
    if (auto fault = singleFault(field))
      return ruleError(entry, text, "× " + formatNumber(entry.scale, "0") + ": " + *fault);
  }
  return std::nullopt;
}

std::optional<NumericError> ParameterEntries::runDbRule(double n) {
  record_.db = toSingle(n);
  record_.deltaL = record_.db / 2.0f;
  if (auto fault = singleFault(record_.deltaL))
    return ruleError(*findNumericBox(kDbBox), texts_[kDbBox], *fault);
  // Δl follows db as the box shows it: Text4's own rule stores the rounded value.
  return setText(kDeltaLBox, formatNumber(record_.deltaL, "##0.00"));
}

void ParameterEntries::rememberFile(const std::string& path) {
  file_ = path;
  fileTexts_ = texts_;
}

CaseSource ParameterEntries::caseSource() const {
  if (file_.empty()) return {};
  BoxTexts now = texts_;
  now[kInitialDsBox] = fileTexts_[kInitialDsBox];
  return {file_, now == fileTexts_ ? "" : "modified"};
}

void ParameterEntries::loadDefaults() {
  setDefaults(record_);
  setText(kCommentBox, kCommentPrompt);
  for (const NumericBox& box : kNumericBoxes) {
    const float value = record_.*box.field;
    // Ec and Es are shown in units of 10^5 and 10^6, the quotient formed in double.
    setText(box.number, box.scale == 1.0
                            ? formatNumber(value, box.pattern)
                            : formatNumber(static_cast<double>(value) / box.scale, box.pattern));
  }
}

}  // namespace kvt
