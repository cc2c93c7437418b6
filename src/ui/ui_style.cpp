// SPDX-License-Identifier: MIT
#include "ui_style.h"

#include <QWidget>

namespace kvt::ui {

namespace {

// Sets a role for the active and inactive windows alike, leaving the disabled colours alone.
void setEnabledColor(QPalette& palette, QPalette::ColorRole role, const QColor& color) {
  palette.setColor(QPalette::Active, role, color);
  palette.setColor(QPalette::Inactive, role, color);
}

}  // namespace

QFont japaneseUiFont(double pointSize, bool bold, bool italic) {
  QFont font;
  font.setFamilies({"IPAPGothic", "IPA Pゴシック", "Noto Sans CJK JP", "Droid Sans Fallback"});
  font.setStyleHint(QFont::SansSerif);
  font.setPointSizeF(pointSize);
  font.setBold(bold);
  font.setItalic(italic);
  return font;
}

QPalette designPalette(const QColor& background) {
  const QColor black(0, 0, 0);
  const QColor white(0xFF, 0xFF, 0xFF);
  QPalette palette;
  const auto set = [&](QPalette::ColorRole role, const QColor& color) {
    palette.setColor(QPalette::All, role, color);
  };
  set(QPalette::Window, background);
  set(QPalette::WindowText, black);
  set(QPalette::Base, white);
  set(QPalette::AlternateBase, kWindowGrey);
  set(QPalette::Text, black);
  set(QPalette::Button, kWindowGrey);
  set(QPalette::ButtonText, black);
  set(QPalette::BrightText, white);
  set(QPalette::Light, white);
  set(QPalette::Midlight, QColor(0xE3, 0xE3, 0xE3));
  set(QPalette::Mid, QColor(0xA0, 0xA0, 0xA0));
  set(QPalette::Dark, QColor(0xA0, 0xA0, 0xA0));
  set(QPalette::Shadow, QColor(0x69, 0x69, 0x69));
  set(QPalette::Highlight, QColor(0x00, 0x00, 0x80));
  set(QPalette::HighlightedText, white);
  set(QPalette::ToolTipBase, QColor(0xFF, 0xFF, 0xE1));
  set(QPalette::ToolTipText, black);
  set(QPalette::PlaceholderText, QColor(0x6D, 0x6D, 0x6D));
  set(QPalette::Link, QColor(0x00, 0x00, 0xCC));
  set(QPalette::LinkVisited, QColor(0x55, 0x1A, 0x8B));
  const QColor greyed(0x78, 0x78, 0x78);
  for (const auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
    palette.setColor(QPalette::Disabled, role, greyed);
  palette.setColor(QPalette::Disabled, QPalette::Base, kWindowGrey);
  palette.setColor(QPalette::Disabled, QPalette::Button, kWindowGrey);
  return palette;
}

void useDesignPalette(QWidget& window, const QColor& background) {
  window.setPalette(designPalette(background));
}

void setColors(QWidget* widget, const QColor& text, const QColor& background) {
  QPalette palette = widget->palette();
  setEnabledColor(palette, QPalette::WindowText, text);
  setEnabledColor(palette, QPalette::Text, text);
  setEnabledColor(palette, QPalette::ButtonText, text);
  if (background.isValid()) {
    setEnabledColor(palette, QPalette::Window, background);
    setEnabledColor(palette, QPalette::Base, background);
    setEnabledColor(palette, QPalette::Button, background);
    widget->setAutoFillBackground(true);
  }
  widget->setPalette(palette);
}

}  // namespace kvt::ui
