// SPDX-License-Identifier: MIT
#pragma once

#include "files/user_prompt.h"

namespace kvt::ui {

// The program's questions and reports as modal message boxes (the Yes/No question without an
// icon and with No as the default button, the report with the exclamation icon and an OK
// button), and the platform's file dialogs for file names.
class MessageBoxPrompt : public UserPrompt {
 public:
  bool question(const std::string& title, const std::string& text) override;
  void warning(const std::string& title, const std::string& text) override;
  std::string saveFileName(const std::string& caption, const std::string& suggestedName,
                           const std::string& filter) override;
  std::string openFileName(const std::string& caption, const std::string& filter) override;
};

}  // namespace kvt::ui
