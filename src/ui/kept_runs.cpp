// SPDX-License-Identifier: MIT
#include "kept_runs.h"

#include "results_window.h"

namespace kvt::ui {

KeptRuns::~KeptRuns() {
  for (const Kept& k : runs_)
    delete k.results.data();
}

int KeptRuns::keep(std::shared_ptr<const RunRecord> run, ResultsWindow* results) {
  if (!run || run->stepCount() == 0) return -1;
  if (const int known = indexOf(run.get()); known >= 0) {
    if (results && !runs_[static_cast<std::size_t>(known)].results)
      runs_[static_cast<std::size_t>(known)].results = results;
    return known;
  }
  runs_.push_back({std::move(run), results});
  emit kept(count() - 1);
  return count() - 1;
}

const std::shared_ptr<const RunRecord>& KeptRuns::at(int index) const {
  return runs_.at(static_cast<std::size_t>(index)).run;
}

int KeptRuns::indexOf(const RunRecord* run) const {
  for (std::size_t k = 0; k < runs_.size(); ++k)
    if (runs_[k].run.get() == run) return static_cast<int>(k);
  return -1;
}

ResultsWindow* KeptRuns::showResults(int index) {
  Kept& k = runs_.at(static_cast<std::size_t>(index));
  // A window of its own, not a child of another: it stays until the user closes it.
  if (!k.results) k.results = new ResultsWindow(k.run, prompt_);
  k.results->show();
  k.results->raise();
  k.results->activateWindow();
  return k.results;
}

}  // namespace kvt::ui
