// SPDX-License-Identifier: MIT
#include "graph_export.h"

#include <QBuffer>
#include <QFileDialog>
#include <QImage>
#include <QMenu>
#include <QPixmap>
#include <QWidget>

#include "files/atomic_write.h"

namespace kvt::ui {

QString askWithSaveDialog(QWidget* parent, const QString& caption, const QString& suggestedName,
                          const QString& filter) {
  return QFileDialog::getSaveFileName(parent, caption, suggestedName, filter);
}

void addSaveAction(QMenu& menu, const QString& text, QWidget& window, const FileNameAsker& asker,
                   const QString& suggestedName, const QString& filter,
                   std::function<void(const QString& path)> save) {
  const QString caption = QString(text).remove("…");
  QObject::connect(menu.addAction(text), &QAction::triggered, &window,
                   [&window, &asker, caption, suggestedName, filter, save] {
                     const QString path = asker(&window, caption, suggestedName, filter);
                     if (!path.isEmpty()) save(path);
                   });
}

bool saveTextFile(const QString& path, const std::string& bytes, const MessageSink& messages) {
  try {
    writeFileAtomically(path.toStdString(), bytes);
    return true;
  } catch (const FileWriteError& error) {
    messages("KVT", QString::fromStdString(error.what()));
    return false;
  }
}

bool saveWindowImage(QWidget& window, const QString& path, const MessageSink& messages) {
  const QImage picture = window.grab().toImage();
  QByteArray png;
  QBuffer buffer(&png);
  buffer.open(QIODevice::WriteOnly);
  if (picture.isNull() || !picture.save(&buffer, "PNG")) {
    messages("KVT", "The picture of the window could not be made.");
    return false;
  }
  return saveTextFile(path, std::string(png.constData(), static_cast<std::size_t>(png.size())),
                      messages);
}

}  // namespace kvt::ui
