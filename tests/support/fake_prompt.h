// SPDX-License-Identifier: MIT
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "files/user_prompt.h"

namespace kvt::testing {

// Stands in for the user: answers every question as told, records every question and report,
// and hands out the file names queued for file dialogs (none left: the user cancels).
class FakePrompt : public UserPrompt {
 public:
  struct Message {
    std::string title;
    std::string text;
  };

  bool answer = true;
  std::vector<Message> questions;
  std::vector<Message> warnings;
  std::deque<std::string> fileNames;
  std::vector<std::string> fileNameCaptions;

  bool question(const std::string& title, const std::string& text) override {
    questions.push_back({title, text});
    return answer;
  }
  void warning(const std::string& title, const std::string& text) override {
    warnings.push_back({title, text});
  }
  std::string saveFileName(const std::string& caption, const std::string&,
                           const std::string&) override {
    return nextFileName(caption);
  }
  std::string openFileName(const std::string& caption, const std::string&) override {
    return nextFileName(caption);
  }
  std::string nextFileName(const std::string& caption) {
    fileNameCaptions.push_back(caption);
    if (fileNames.empty()) return {};
    std::string name = fileNames.front();
    fileNames.pop_front();
    return name;
  }

  std::vector<std::string> warningTexts() const {
    std::vector<std::string> texts;
    for (const Message& m : warnings)
      texts.push_back(m.text);
    return texts;
  }
};

}  // namespace kvt::testing
