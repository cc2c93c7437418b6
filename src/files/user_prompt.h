// SPDX-License-Identifier: MIT
#pragma once

#include <string>

namespace kvt {

// The one way the program talks to the user: a modal Yes/No question (No is the default button,
// no icon), a modal report with an OK button and the exclamation icon, and the name of a file to
// save to or to open. The desktop program implements them with message boxes and a save dialog;
// tests and the command-line runner answer them in code, so nothing ever waits for a person there.
class UserPrompt {
 public:
  virtual ~UserPrompt() = default;
  virtual bool question(const std::string& title, const std::string& text) = 0;
  virtual void warning(const std::string& title, const std::string& text) = 0;
  // The file the user chooses to save to, offered `suggestedName` and `filter` ("PNG images
  // (*.png)"); empty when the user cancels, and always where nobody can be asked.
  virtual std::string saveFileName(const std::string& caption, const std::string& suggestedName,
                                   const std::string& filter) {
    (void)caption, (void)suggestedName, (void)filter;
    return {};
  }
  // The existing file the user chooses to open; empty when the user cancels.
  virtual std::string openFileName(const std::string& caption, const std::string& filter) {
    (void)caption, (void)filter;
    return {};
  }
};

}  // namespace kvt
