// SPDX-License-Identifier: MIT
#include "analysis_error.h"

namespace kvt {

namespace {
std::string kindName(ArithmeticError::Kind kind) {
  switch (kind) {
    case ArithmeticError::Kind::Overflow:
      return "overflow";
    case ArithmeticError::Kind::DivisionByZero:
      return "division by zero";
    case ArithmeticError::Kind::InvalidOperation:
      return "invalid operation";
  }
  return "arithmetic fault";
}
}  // namespace

ArithmeticError::ArithmeticError(Kind kind, const std::string& quantity, const std::string& detail)
    : AnalysisError("Arithmetic error (" + kindName(kind) + ") in " + quantity +
                    (detail.empty() ? "." : ": " + detail + ".")),
      kind_(kind) {}

StepLimitError::StepLimitError(int maxSteps, const std::string& cause)
    : AnalysisError(ErrorKind::StepLimit,
                    "The analysis did not finish within " + std::to_string(maxSteps) +
                        " steps: the average bond stress never returned to zero. " + cause) {}

}  // namespace kvt
