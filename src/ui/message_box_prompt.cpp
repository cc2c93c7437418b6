// SPDX-License-Identifier: MIT
#include "message_box_prompt.h"

#include <QMessageBox>

#include "message_sink.h"

namespace kvt::ui {

bool MessageBoxPrompt::question(const std::string& title, const std::string& text) {
  QMessageBox box(QMessageBox::NoIcon, QString::fromStdString(title), QString::fromStdString(text),
                  QMessageBox::Yes | QMessageBox::No);
  box.setDefaultButton(QMessageBox::No);
  return box.exec() == QMessageBox::Yes;
}

void MessageBoxPrompt::warning(const std::string& title, const std::string& text) {
  showWarning(QString::fromStdString(title), QString::fromStdString(text));
}

}  // namespace kvt::ui
