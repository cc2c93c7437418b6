// SPDX-License-Identifier: MIT
#pragma once

#include "files/user_prompt.h"

namespace kvt::ui {

// The file routines' questions and reports as modal message boxes: the Yes/No question without
// an icon and with No as the default button, the report with the exclamation icon.
class MessageBoxPrompt : public UserPrompt {
 public:
  bool question(const std::string& title, const std::string& text) override;
  void warning(const std::string& title, const std::string& text) override;
};

}  // namespace kvt::ui
