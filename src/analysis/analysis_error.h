// SPDX-License-Identifier: MIT
#pragma once

#include <string>

#include "error/error.h"

namespace kvt {

// A failure of the analysis itself, which ends a run. The message is complete, in plain words,
// for a message box. One not otherwise classed is an arithmetic fault.
class AnalysisError : public Error {
 public:
  explicit AnalysisError(const std::string& message) : Error(ErrorKind::Arithmetic, message) {}
  AnalysisError(ErrorKind kind, const std::string& message) : Error(kind, message) {}
};

// An arithmetic fault: an overflow, a division by zero or an invalid operation (such as 0 × ∞),
// detected where it happened and named by the quantity being formed.
class ArithmeticError : public AnalysisError {
 public:
  enum class Kind { Overflow, DivisionByZero, InvalidOperation };
  ArithmeticError(Kind kind, const std::string& quantity, const std::string& detail);
  Kind kind() const { return kind_; }

 private:
  Kind kind_;
};

// An entry the analysis cannot take although no arithmetic faulted, such as a bar of negative
// length: the message names the entry and its value.
class ParameterError : public AnalysisError {
 public:
  explicit ParameterError(const std::string& message)
      : AnalysisError(ErrorKind::Parameter, message) {}
};

// The run did not reach zero bond stress within the steps its histories hold. `cause` says
// what kept it going, in words the user can act on.
class StepLimitError : public AnalysisError {
 public:
  StepLimitError(int maxSteps, const std::string& cause);
};

}  // namespace kvt
