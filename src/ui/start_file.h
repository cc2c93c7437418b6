// SPDX-License-Identifier: MIT
#pragma once

#include <string>

namespace kvt::ui {

class Form1;

// Loads a parameter file into the parameter window as a double click on it in the file selection
// window would: both path fields name the file, so the next run writes its report beside it. The
// path is made absolute first, as the file window builds it from the folder it shows. A file
// that cannot be read is reported through the window's prompt; the window then keeps its
// entries and its paths. Returns whether the file was loaded.
bool openParameterFileAtStart(Form1& form1, const std::string& path);

}  // namespace kvt::ui
