// SPDX-License-Identifier: MIT
#include "message_box_prompt.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>

namespace kvt::ui {

namespace {
QString q(const std::string& text) {
  return QString::fromStdString(text);
}
}  // namespace

bool MessageBoxPrompt::question(const std::string& title, const std::string& text) {
  QMessageBox box(QMessageBox::NoIcon, q(title), q(text), QMessageBox::Yes | QMessageBox::No,
                  QApplication::activeWindow());
  box.setDefaultButton(QMessageBox::No);
  return box.exec() == QMessageBox::Yes;
}

void MessageBoxPrompt::warning(const std::string& title, const std::string& text) {
  QMessageBox box(QMessageBox::Warning, q(title), q(text), QMessageBox::Ok,
                  QApplication::activeWindow());
  box.exec();
}

std::string MessageBoxPrompt::saveFileName(const std::string& caption,
                                           const std::string& suggestedName,
                                           const std::string& filter) {
  return QFileDialog::getSaveFileName(QApplication::activeWindow(), q(caption), q(suggestedName),
                                      q(filter))
      .toStdString();
}

std::string MessageBoxPrompt::openFileName(const std::string& caption, const std::string& filter) {
  return QFileDialog::getOpenFileName(QApplication::activeWindow(), q(caption), {}, q(filter))
      .toStdString();
}

}  // namespace kvt::ui
