// SPDX-License-Identifier: MIT
#include "case_entries.h"

#include <variant>

#include "batch/batch_run.h"
#include "batch/study_grid.h"
#include "error/error.h"
#include "params/numeric_boxes.h"

namespace kvt::python {

namespace {

constexpr int kCommentBox = 1;
constexpr int kDbBox = 10;

// A --vary refusal, said of a case's entry: "lb: 'abc' is not a number".
std::string entryProblem(std::string message) {
  for (const std::string_view prefix : {"--vary: ", "--vary "})
    if (message.starts_with(prefix)) return message.substr(prefix.size());
  return message;
}

}  // namespace

const std::vector<int>& caseBoxes() {
  static const std::vector<int> boxes = [] {
    std::vector<int> numbers{kCommentBox};
    for (const NumericBox& box : kNumericBoxes)
      numbers.push_back(box.number);
    return numbers;
  }();
  return boxes;
}

CaseEntries::CaseEntries() {
  entries_.loadDefaults();
}

CaseEntries::CaseEntries(const CaseEntries& other)
    : entries_(record_, other.entries_), fileTexts_(other.fileTexts_) {}

CaseEntries CaseEntries::load(const std::string& path, std::vector<std::string>& warnings) {
  CaseEntries loaded;
  loadForBatch(path, loaded.entries_);
  loaded.fileTexts_ = loaded.entries_.texts();
  warnings = partialEntryWarnings(path, loaded.entries_);
  return loaded;
}

CaseEntries CaseEntries::with(
    const std::vector<std::pair<std::string, std::string>>& values) const {
  std::vector<VariedEntry> varied;
  for (const auto& [name, text] : values) {
    auto parsed = VariedEntry::parse(name + "=" + text);
    if (const auto* problem = std::get_if<std::string>(&parsed))
      throw UsageError(entryProblem(*problem));
    VariedEntry& entry = std::get<VariedEntry>(parsed);
    // A case's law is a whole: its entries are changed by giving the law anew.
    if (entry.isLawEntry())
      throw UsageError(name + " is an entry of the law: give the law with law=kvt.Law.mc2010(...)");
    if (entry.size() != 1)
      throw UsageError(name + " takes one value here, not a list or a range: '" + text + "'");
    varied.push_back(std::move(entry));
  }
  CaseEntries changed(*this);
  if (auto error = StudyGrid(std::move(varied)).enter(0, changed.entries_)) throw *error;
  return changed;
}

CaseEntries CaseEntries::withComment(const std::string& comment) const {
  CaseEntries changed(*this);
  changed.entries_.setText(kCommentBox, comment);
  return changed;
}

AnalysisParameters CaseEntries::committed() const {
  AnalysisParameters record;
  ParameterEntries entries(record, entries_);
  commitForRun(entries, BatchOptions{});
  return record;
}

CaseEntries::State CaseEntries::state() const {
  return {entries_.texts(), entries_.detailOutput(), entries_.caseSource().file, fileTexts_};
}

void CaseEntries::typeTexts(const BoxTexts& texts) {
  entries_.setText(kDbBox, texts[kDbBox]);
  for (const int box : caseBoxes())
    if (box != kDbBox) entries_.setText(box, texts[box]);
}

CaseEntries CaseEntries::restore(const State& state) {
  CaseEntries restored;
  if (!state.file.empty()) {
    restored.typeTexts(state.fileTexts);
    restored.entries_.rememberFile(state.file);
    restored.record_.parameterFilePath = state.file;
    restored.fileTexts_ = state.fileTexts;
  }
  restored.typeTexts(state.texts);
  restored.entries_.setDetailOutput(state.detailOutput);
  return restored;
}

}  // namespace kvt::python
