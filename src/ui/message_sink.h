// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <functional>

namespace kvt::ui {

// How a message reaches the user: a modal message box with the exclamation icon in the program,
// a recorder in tests so that nothing blocks.
using MessageSink = std::function<void(const QString& title, const QString& text)>;

// The program's message box: exclamation icon, OK button.
void showWarning(const QString& title, const QString& text);

}  // namespace kvt::ui
