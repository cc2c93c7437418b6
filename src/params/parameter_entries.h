// SPDX-License-Identifier: MIT
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "analysis_parameters.h"
#include "box_texts.h"
#include "case_name.h"
#include "numeric_check.h"

namespace kvt {

// The parameter window's entries without the window: the texts of its boxes, the "Detail output"
// state, and the rule every box carries. A box's rule runs whenever its text changes, whatever
// the cause (typing, the load step, a parameter file, another rule), and keeps the record in step
// with the boxes between runs:
//   Text1: comment ← the text.  Text9, Text13: Ec, Es ← entry × 100000, × 1000000, checked.
//   Text10: db ← entry; Δl ← db/2 in single precision, checked; then Text4 shows Δl as "##0.00",
//   which runs Text4's rule, so Δl ends as the value the box shows.
//   Every other numeric box: its field ← the entry, unscaled (C1 and C2 stay bare until
//   "Execute" multiplies them by σt).
// Giving a box the text it already shows is not a change: no rule runs.
class ParameterEntries {
 public:
  static constexpr std::string_view kCommentPrompt = "Please input the comment.";

  explicit ParameterEntries(AnalysisParameters& record) : record_(record) {}
  // Entries in the state of `other`, over `record`: the same texts and check box, and the record
  // made a copy of other's. No rule runs (the copied record already matches the texts), and no
  // listener comes along. A study gives every run such a private copy of its base file.
  ParameterEntries(AnalysisParameters& record, const ParameterEntries& other)
      : record_(record),
        texts_(other.texts_),
        detailOutput_(other.detailOutput_),
        file_(other.file_),
        fileTexts_(other.fileTexts_) {
    record_ = other.record_;
  }

  const std::string& text(int box) const { return texts_[box]; }
  const BoxTexts& texts() const { return texts_; }
  bool detailOutput() const { return detailOutput_; }
  AnalysisParameters& record() { return record_; }
  const AnalysisParameters& record() const { return record_; }

  // Gives a box a new text and, if it differs from the current one, runs the box's rule.
  // Returns the numeric error when the rule's check fired; the text is set in any case.
  std::optional<NumericError> setText(int box, std::string_view text);

  // The check box, clicked or set from code: detailOutput ← 1 when checked, 0 when not.
  void setDetailOutput(bool checked);

  // The window's load step: the defaults into the record, then every box filled with its
  // default in its display pattern, in the window's order, each filling running its rule.
  void loadDefaults();

  // The boxes now hold what the parameter file at `path` holds: it was loaded or saved.
  void rememberFile(const std::string& path);
  // That file, "modified" once a box it holds has changed since; no file before a load or save.
  // "initial ds" is not in the file, and "Detail output" shapes only the report: neither counts.
  CaseSource caseSource() const;

  // Told after a box's text changed (also when a rule changed it) and after the check box was
  // set, so that a window can show the new state.
  void onTextChanged(std::function<void(int box)> listener) { textListener_ = std::move(listener); }
  void onDetailOutputChanged(std::function<void(bool)> listener) {
    detailListener_ = std::move(listener);
  }

 private:
  std::optional<NumericError> runRule(int box);
  std::optional<NumericError> runDbRule(double n);

  AnalysisParameters& record_;
  BoxTexts texts_;
  bool detailOutput_ = false;
  std::string file_;
  BoxTexts fileTexts_;  // as the file holds them
  std::function<void(int)> textListener_;
  std::function<void(bool)> detailListener_;
};

}  // namespace kvt
