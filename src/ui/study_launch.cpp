// SPDX-License-Identifier: MIT
#include "study_launch.h"

#include "compare_window.h"
#include "form1.h"
#include "kept_runs.h"
#include "required_length_window.h"
#include "study_window.h"

namespace kvt::ui {

namespace {

// A study's row opened or compared is kept with the session's runs, so that it can be shown
// again and compared like a run of "Execute".
StudyHost hostOf(Form1& form) {
  StudyHost host{form.entries(), form.userPrompt(), form.clock(), {}, {}, {}};
  host.law = [&form] { return form.law(); };
  host.showRun = [&form](std::shared_ptr<const RunRecord> run) {
    const int index = form.keptRuns().keep(run);
    if (index >= 0)
      form.keptRuns().showResults(index);
    else
      form.userPrompt().warning("KVT",
                                run->caseName() + ": the run made no step. " + run->failure());
  };
  host.compare = [&form](std::shared_ptr<const RunRecord> run) {
    form.openComparison()->addRun(std::move(run));
  };
  return host;
}

// One window of each kind for the parameter window, brought to the front when asked again.
template <class Window>
void openOne(Form1& form) {
  auto* window = form.findChild<Window*>(QString(), Qt::FindDirectChildrenOnly);
  if (!window) window = new Window(hostOf(form), &form);
  window->show();
  window->raise();
  window->activateWindow();
}

}  // namespace

void openStudyWindow(Form1& form) {
  openOne<StudyWindow>(form);
}

void openRequiredLengthWindow(Form1& form) {
  openOne<RequiredLengthWindow>(form);
}

}  // namespace kvt::ui
