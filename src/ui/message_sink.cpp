// SPDX-License-Identifier: MIT
#include "message_sink.h"

#include <QMessageBox>

namespace kvt::ui {

void showWarning(const QString& title, const QString& text) {
  QMessageBox box(QMessageBox::Warning, title, text, QMessageBox::Ok);
  box.exec();
}

}  // namespace kvt::ui
