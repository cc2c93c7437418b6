// SPDX-License-Identifier: MIT
#pragma once

#include <QColor>
#include <QFont>

class QWidget;

namespace kvt::ui {

// The colours the windows were designed with.
inline const QColor kLightGrey{0xC0, 0xC0, 0xC0};
inline const QColor kLabelGrey{0x80, 0x80, 0x80};
inline const QColor kGreen{0x00, 0x80, 0x00};

// A Japanese proportional Gothic user-interface font at a point size: IPAPGothic where it is
// installed, otherwise any sans-serif font that has the Japanese glyphs.
QFont japaneseUiFont(double pointSize, bool bold = false, bool italic = false);

// Places a window so that its outer frame is centred on the primary screen.
void centreOnScreen(QWidget& window);

// A widget's text colour, and optionally its background (filled).
void setColors(QWidget* widget, const QColor& text, const QColor& background = QColor());

}  // namespace kvt::ui
