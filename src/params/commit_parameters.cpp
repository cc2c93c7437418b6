// SPDX-License-Identifier: MIT
#include "commit_parameters.h"

#include <cmath>
#include <string>

#include "format_number.h"
#include "numeric_boxes.h"
#include "parse_number.h"

namespace kvt {

namespace {

std::string quoted(const std::string& text) {
  return "\"" + text + "\"";
}

NumericError scaledError(int step, const NumericBox& box, const std::string& text, float stored) {
  const std::string what = std::isnan(stored) ? "is not a valid number (invalid operation)"
                                              : "is beyond the single-precision range (overflow)";
  return {step, std::string(box.controlName),
          "The entry for " + std::string(box.label) + " (" + quoted(text) + ") × " +
              formatNumber(box.scale, "0") + " " + what + "."};
}

NumericError productError(int step, const NumericBox& box, const std::string& text, float entry,
                          float sigmaT, float product) {
  std::string message;
  if (std::isinf(entry)) {
    message = "The entry for " + std::string(box.label) + " (" + quoted(text) +
              ") is beyond the single-precision range (overflow).";
  } else if (std::isnan(product)) {
    message = std::string(box.label) +
              " × σt is an invalid operation (0 × infinity): σt is beyond the single-precision "
              "range.";
  } else {
    message = std::string(box.label) + " × σt (" + formatNumber(entry, "0.0E+00") + " × " +
              formatNumber(sigmaT, "0.0E+00") +
              ") is beyond the single-precision range (overflow).";
  }
  return {step, std::string(box.controlName), message};
}

}  // namespace

void commitParameters(const BoxTexts& boxes, AnalysisParameters& p) {
  int step = 0;
  for (const NumericBox& box : kNumericBoxes) {
    ++step;
    const std::string& text = boxes[box.number];
    const double n = parseNumber(text);
    float& field = p.*box.field;
    switch (box.commit) {
      case CommitKind::Plain:
        field = toSingle(n);
        break;
      case CommitKind::Scaled:
        field = toSingle(n * box.scale);
        if (singleFault(field)) throw scaledError(step, box, text, field);
        break;
      case CommitKind::TimesSigmaT: {
        const float entry = toSingle(n);
        field = entry;
        field = toSingle(static_cast<double>(field) * static_cast<double>(p.sigmaT));
        if (singleFault(field)) throw productError(step, box, text, entry, p.sigmaT, field);
        break;
      }
    }
  }
}

}  // namespace kvt
