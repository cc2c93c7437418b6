// SPDX-License-Identifier: MIT
//
// How kvt fails. Every failure the core reports is an `Error`: a kind that a caller tells apart,
// and a message that is already complete, in plain words, naming what it concerns (the entry,
// the quantity being formed, the file by its full path). The core throws and never catches to
// reword; each edge puts an error into words once, by its message: the window's message box,
// kvt-batch's error line, the outcome column of a study's summary, a run record's failure.
//
// The classes the layers throw derive from `Error` and keep their names: `ParameterError`,
// `ArithmeticError` and `StepLimitError` (analysis), `NumericError` (an entry's numeric check),
// `FileWriteError` (files), `ResultFileError` (output), `UsageError` (either program's command
// line).
#pragma once

#include <stdexcept>
#include <string>

namespace kvt {

enum class ErrorKind {
  // An entry or a set of entries that the analysis cannot take: a bar of negative length, an
  // entry whose scaling overflows.
  Parameter,
  // An overflow, a division by zero or an invalid operation while the analysis computes.
  Arithmetic,
  // The run reached the last step its histories hold without the bond giving out. Its own kind,
  // because its steps are sound, unlike those of a run cut short by a fault: a caller keeps them
  // and says the run did not end, where it would discard a faulting one.
  StepLimit,
  // A file that cannot be read or written, or the figure module that cannot be loaded.
  File,
  // A run or job stopped at the user's request.
  Cancelled,
  // A command line that cannot be used.
  Usage,
};

class Error : public std::runtime_error {
 public:
  Error(ErrorKind kind, const std::string& message) : std::runtime_error(message), kind_(kind) {}
  ErrorKind errorKind() const { return kind_; }

 private:
  ErrorKind kind_;
};

// A command line that cannot be run: one line saying why, without the program name.
class UsageError : public Error {
 public:
  explicit UsageError(const std::string& message) : Error(ErrorKind::Usage, message) {}
};

}  // namespace kvt
