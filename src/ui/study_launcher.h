// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>
#include <QPointer>
#include <string>

#include "study_host.h"
#include "study_job.h"

namespace kvt::ui {

class StudyResultsView;
class StudyRunBar;

// What "Run", "Continue" and "Cancel" do in a study window: a new study of the parameter
// window's entries as they stand, shown in the window's run bar and results as it goes. A study
// may be continued after a cancel as long as neither the window's setup nor the parameter
// window's entries (and its bond law) have changed since it started.
class StudyLauncher : public QObject {
  Q_OBJECT

 public:
  StudyLauncher(StudyHost& host, StudyRunBar& runBar, StudyResultsView& results,
                QObject* parent = nullptr);

  // Starts `request` afresh; `setup` says what the window's own entries were. A grid larger
  // than kvt-batch runs without --yes is run only when the user agrees.
  void run(StudyRequest request, const std::string& setup);
  void resume();
  void cancel();
  // The window's setup now: "Continue" is offered only when it is the study's.
  void setupChanged(const std::string& setup);

  StudyJob* job() const { return job_; }

 private:
  std::string keyOf(const std::string& setup) const;
  // The bond law of the next study: the parameter window's.
  LawEntries law() const;

  StudyHost& host_;
  StudyRunBar& runBar_;
  StudyResultsView& results_;
  QPointer<StudyJob> job_;
  std::string jobKey_;
  std::string setup_;
};

}  // namespace kvt::ui
