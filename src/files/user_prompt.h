// SPDX-License-Identifier: MIT
#pragma once

#include <string>

namespace kvt {

// The two ways the file routines talk to the user: a modal Yes/No question (No is the default
// button, no icon) and a modal report with an OK button and the exclamation icon. The window
// implements them with message boxes; tests and the command-line runner answer them in code.
class UserPrompt {
 public:
  virtual ~UserPrompt() = default;
  virtual bool question(const std::string& title, const std::string& text) = 0;
  virtual void warning(const std::string& title, const std::string& text) = 0;
};

}  // namespace kvt
