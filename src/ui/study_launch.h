// SPDX-License-Identifier: MIT
#pragma once

namespace kvt::ui {

class Form1;

// "Study…" and "Required bond length…" of the parameter window's Analysis menu: each opens its
// window on the parameter window's entries as the base case. The windows reach the entries, the
// prompt, the clock and the comparison (`Form1::openComparison()->addRun`) through `form`.
void openStudyWindow(Form1& form);
void openRequiredLengthWindow(Form1& form);

}  // namespace kvt::ui
