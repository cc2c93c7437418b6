// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>
#include <QPointer>
#include <memory>
#include <vector>

#include "analysis/run_record.h"
#include "files/user_prompt.h"

namespace kvt::ui {

class ResultsWindow;

// The runs of this session, each as its record, kept until the program ends: every run that
// made at least one step, whether it finished, was cancelled or failed, and any run handed over
// from elsewhere (a study's row sent to the comparison). A record holds the steps' results and
// the case, not the sections along the bar, which are marched again when a step is shown; a run
// costs a few kilobytes. Each run has at most one results window, which the run's own controller
// may have opened while it ran.
class KeptRuns : public QObject {
  Q_OBJECT

 public:
  explicit KeptRuns(UserPrompt& prompt) : prompt_(prompt) {}
  ~KeptRuns() override;

  // Keeps a run that made a step, with the results window it already has, if any; returns its
  // index, or −1 for a run without a step, which is not kept. A record kept already is not kept
  // twice: its index is returned.
  int keep(std::shared_ptr<const RunRecord> run, ResultsWindow* results = nullptr);

  int count() const { return static_cast<int>(runs_.size()); }
  const std::shared_ptr<const RunRecord>& at(int index) const;
  int indexOf(const RunRecord* run) const;

  // The run's results window, opened or brought to the front.
  ResultsWindow* showResults(int index);

 signals:
  void kept(int index);

 private:
  struct Kept {
    std::shared_ptr<const RunRecord> run;
    QPointer<ResultsWindow> results;
  };
  UserPrompt& prompt_;
  std::vector<Kept> runs_;
};

}  // namespace kvt::ui
