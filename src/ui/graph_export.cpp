// SPDX-License-Identifier: MIT
#include "graph_export.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImage>
#include <QMenu>
#include <QPixmap>
#include <QWidget>

#include "files/atomic_write.h"

namespace kvt::ui {

void addSaveAction(QMenu& menu, const QString& text, QWidget& window, UserPrompt& prompt,
                   const QString& suggestedName, const QString& filter,
                   std::function<void(const QString& path)> save) {
  const std::string caption = QString(text).remove("…").toStdString();
  QObject::connect(menu.addAction(text), &QAction::triggered, &window,
                   [&prompt, caption, suggestedName, filter, save] {
                     const std::string path = prompt.saveFileName(
                         caption, suggestedName.toStdString(), filter.toStdString());
                     if (!path.empty()) save(QString::fromStdString(path));
                   });
}

bool saveTextFile(const QString& path, const std::string& bytes, UserPrompt& prompt) {
  try {
    writeFileAtomically(path.toStdString(), bytes);
    return true;
  } catch (const FileWriteError& error) {
    prompt.warning("KVT", error.what());
    return false;
  }
}

bool saveWindowImage(QWidget& window, const QString& path, UserPrompt& prompt) {
  const QImage picture = window.grab().toImage();
  QByteArray png;
  QBuffer buffer(&png);
  buffer.open(QIODevice::WriteOnly);
  if (picture.isNull() || !picture.save(&buffer, "PNG")) {
    prompt.warning("KVT", QString("The picture of the window for %1 could not be made.")
                              .arg(QFileInfo(path).absoluteFilePath())
                              .toStdString());
    return false;
  }
  return saveTextFile(path, std::string(png.constData(), static_cast<std::size_t>(png.size())),
                      prompt);
}

}  // namespace kvt::ui
