// SPDX-License-Identifier: MIT
#include "ui_style.h"

#include <QGuiApplication>
#include <QPalette>
#include <QScreen>
#include <QWidget>

namespace kvt::ui {

QFont japaneseUiFont(double pointSize, bool bold, bool italic) {
  QFont font;
  font.setFamilies({"IPAPGothic", "IPA Pゴシック", "Noto Sans CJK JP", "Droid Sans Fallback"});
  font.setStyleHint(QFont::SansSerif);
  font.setPointSizeF(pointSize);
  font.setBold(bold);
  font.setItalic(italic);
  return font;
}

void setColors(QWidget* widget, const QColor& text, const QColor& background) {
  QPalette palette = widget->palette();
  palette.setColor(QPalette::WindowText, text);
  palette.setColor(QPalette::Text, text);
  palette.setColor(QPalette::ButtonText, text);
  if (background.isValid()) {
    palette.setColor(QPalette::Window, background);
    palette.setColor(QPalette::Base, background);
    palette.setColor(QPalette::Button, background);
    widget->setAutoFillBackground(true);
  }
  widget->setPalette(palette);
}

void centreOnScreen(QWidget& window) {
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen) return;
  const QRect area = screen->geometry();
  const QSize outer = window.frameGeometry().size();
  window.move(area.x() + area.width() / 2 - outer.width() / 2,
              area.y() + area.height() / 2 - outer.height() / 2);
}

}  // namespace kvt::ui
