// SPDX-License-Identifier: MIT
#pragma once

#include <QTest>

#include "fake_prompt.h"
#include "fixed_clock.h"
#include "temp_dir.h"
#include "ui/form1.h"
#include "ui/run_controller.h"

namespace kvt::testing {

// The parameter window with nobody at the keyboard and a fixed clock, working in a temporary
// directory, so that a test can run the defaults and look at the windows they leave.
class WindowSession {
 public:
  WindowSession() : cwd_(dir_.path()), form_(record_, prompt_, clock_) {}

  ui::Form1& form() { return form_; }
  FakePrompt& prompt() { return prompt_; }
  const TempDir& dir() const { return dir_; }

  // "Execute" with the entries as they stand; the run's controller once the run has finished,
  // nullptr when it did not finish.
  ui::RunController* runToTheEnd() {
    form_.show();
    form_.execute();
    ui::RunController* run = form_.runController();
    const auto finished = [run] {
      return run && run->state() == ui::RunController::State::Finished;
    };
    return QTest::qWaitFor(finished, 20000) ? run : nullptr;
  }

 private:
  TempDir dir_;
  Cwd cwd_;
  AnalysisParameters record_;
  FakePrompt prompt_;
  FixedClock clock_;
  ui::Form1 form_;
};

}  // namespace kvt::testing
