// SPDX-License-Identifier: MIT
// Saving what a graph window shows, for engineers' reports: the picture as a PNG file, the data
// as CSV. Files are replaced only when complete; a failure is reported and changes nothing.
#pragma once

#include <QString>
#include <functional>
#include <string>

#include "message_sink.h"

class QMenu;
class QWidget;

namespace kvt::ui {

// Asks the user for the name of a file to write; an empty name means the user cancelled.
using FileNameAsker = std::function<QString(QWidget* parent, const QString& caption,
                                            const QString& suggestedName, const QString& filter)>;

// The platform's save dialog.
QString askWithSaveDialog(QWidget* parent, const QString& caption, const QString& suggestedName,
                          const QString& filter);

// The window as drawn, at its own size, as a PNG file.
bool saveWindowImage(QWidget& window, const QString& path, const MessageSink& messages);

bool saveTextFile(const QString& path, const std::string& bytes, const MessageSink& messages);

// A menu entry that asks for a file name (suggesting `suggestedName`) and hands it to `save`.
void addSaveAction(QMenu& menu, const QString& text, QWidget& window, const FileNameAsker& asker,
                   const QString& suggestedName, const QString& filter,
                   std::function<void(const QString& path)> save);

}  // namespace kvt::ui
