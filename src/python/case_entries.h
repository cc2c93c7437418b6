// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "params/analysis_parameters.h"
#include "params/box_texts.h"
#include "params/parameter_entries.h"

namespace kvt::python {

// A case as the parameter window holds it: the boxes' texts with their rules and the record they
// keep in step, and the parameter file they came from. A case is never changed in place: a
// script's changed case is a new one, so a case handed to a run or a study stays what it was.
class CaseEntries {
 public:
  // The window's start values, as its load step fills the boxes.
  CaseEntries();
  CaseEntries(const CaseEntries& other);
  CaseEntries& operator=(const CaseEntries&) = delete;

  // A parameter file loaded as the window loads it; the entries read only in part, one line
  // each, go to `warnings`. Throws as kvt-batch's loading does, naming the file.
  static CaseEntries load(const std::string& path, std::vector<std::string>& warnings);

  // A copy with values typed into the boxes by kvt-batch's --vary names ("lb", "bar", "ds" …),
  // each one value with the rules of --vary: a bare number in the window's unit, or a value with
  // its unit; db or bar first, so Δl = db/2 unless Δl is given too. Throws `UsageError` for a
  // name or value --vary would refuse, `NumericError` when a box's rule fires.
  CaseEntries with(const std::vector<std::pair<std::string, std::string>>& values) const;
  CaseEntries withComment(const std::string& comment) const;

  const ParameterEntries& entries() const { return entries_; }
  // The record as "Execute" commits it for a run. Throws `NumericError`.
  AnalysisParameters committed() const;

  // What a pickled case carries: the texts, the check box, and the file with its own texts, from
  // which the record follows by the boxes' rules.
  struct State {
    BoxTexts texts;
    bool detailOutput = false;
    std::string file;
    BoxTexts fileTexts;
  };
  State state() const;
  static CaseEntries restore(const State& state);

 private:
  // Gives every box its text as a user would type it, db first, so that the db rule's Δl is
  // overtyped by the Δl box's own text.
  void typeTexts(const BoxTexts& texts);

  AnalysisParameters record_;
  ParameterEntries entries_{record_};
  BoxTexts fileTexts_;
};

// The boxes a case has, Text1 … Text22 without the unused numbers.
const std::vector<int>& caseBoxes();

}  // namespace kvt::python
