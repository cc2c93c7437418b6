// SPDX-License-Identifier: MIT
#pragma once

#include <QPointer>
#include <QWidget>
#include <string>

#include "study_host.h"

namespace kvt::ui {

class StudyGridEditor;
class StudyJob;
class StudyLauncher;
class StudyResultsView;
class StudyRunBar;

// "KVT Study": a parameter study of the parameter window's entries, run by kvt-batch's engine.
// The user chooses the entries to vary and their values as --vary takes them, sees how many
// runs that makes, and runs them on every core (or as many at a time as chosen) with a progress
// bar, the runs per second, the time left and "Cancel"; "Continue" goes on after a cancel. The
// entries are read when "Run" is pressed, so the parameter window stays free to use meanwhile.
// The results are shown, opened and saved by `StudyResultsView`.
class StudyWindow : public QWidget {
  Q_OBJECT

 public:
  explicit StudyWindow(StudyHost host, QWidget* parent = nullptr);
  ~StudyWindow() override;

  StudyGridEditor* gridEditor() const { return editor_; }
  StudyRunBar* runBar() const { return runBar_; }
  StudyResultsView* results() const { return results_; }
  StudyJob* job() const;

  // "Run", "Continue" and "Cancel".
  void run();
  void resume();
  void cancel();

 protected:
  void changeEvent(QEvent* event) override;

 private:
  void buildLayout();
  void updatePlan();
  // What the window's own entries are, in one text that changes with any of them.
  std::string setup() const;

  StudyHost host_;
  StudyGridEditor* editor_ = nullptr;
  StudyRunBar* runBar_ = nullptr;
  StudyResultsView* results_ = nullptr;
  StudyLauncher* launcher_ = nullptr;
};

}  // namespace kvt::ui
