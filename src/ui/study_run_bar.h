// SPDX-License-Identifier: MIT
#pragma once

#include <QPointer>
#include <QWidget>

#include "study_job.h"

class QLabel;
class QProgressBar;
class QPushButton;
class QSpinBox;

namespace kvt::ui {

// How far a study has come and the buttons that drive it: the number of runs it will make
// before it starts, then a progress bar with the runs done, runs per second and the time left;
// "Run" starts the study afresh, "Continue" goes on after "Cancel" from the first run not yet
// done, as long as nothing was changed since. Beside them, how many runs go at a time (every
// core unless chosen, as kvt-batch's -j).
class StudyRunBar : public QWidget {
  Q_OBJECT

 public:
  explicit StudyRunBar(QWidget* parent = nullptr);

  // The study shown; its progress is followed until it ends.
  void setJob(StudyJob* job);
  // Before a study starts: "12 runs", or what stops it, and whether "Run" may be pressed.
  void setPlan(const QString& text, bool runnable);
  // Whether the study shown may be continued as it stands.
  void setContinuable(bool continuable);

  // Runs at a time; 0 for every core.
  unsigned jobs() const;
  QSpinBox* jobsBox() const { return jobs_; }
  QPushButton* runButton() const { return run_; }
  QPushButton* continueButton() const { return continue_; }
  QPushButton* cancelButton() const { return cancel_; }
  QProgressBar* progressBar() const { return bar_; }
  QString statusText() const;

 signals:
  void runClicked();
  void continueClicked();
  void cancelClicked();
  void jobsChanged();

 private:
  void update();

  QPointer<StudyJob> job_;
  bool runnable_ = false;
  bool continuable_ = false;
  QLabel* plan_ = nullptr;
  QProgressBar* bar_ = nullptr;
  QLabel* status_ = nullptr;
  QSpinBox* jobs_ = nullptr;
  QPushButton* run_ = nullptr;
  QPushButton* continue_ = nullptr;
  QPushButton* cancel_ = nullptr;
};

}  // namespace kvt::ui
