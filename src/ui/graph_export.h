// SPDX-License-Identifier: MIT
// Saving what a graph window shows, for engineers' reports: the picture as a PNG file, the data
// as CSV. Files are replaced only when complete; a failure is reported and changes nothing.
#pragma once

#include <QString>
#include <functional>
#include <string>

#include "files/user_prompt.h"

class QMenu;
class QWidget;

namespace kvt::ui {

// The window as drawn, at its own size, as a PNG file.
bool saveWindowImage(QWidget& window, const QString& path, UserPrompt& prompt);

bool saveTextFile(const QString& path, const std::string& bytes, UserPrompt& prompt);

// A menu entry that asks for a file name (suggesting `suggestedName`) and hands it to `save`.
void addSaveAction(QMenu& menu, const QString& text, QWidget& window, UserPrompt& prompt,
                   const QString& suggestedName, const QString& filter,
                   std::function<void(const QString& path)> save);

}  // namespace kvt::ui
