// SPDX-License-Identifier: MIT
#pragma once

#include <QColor>
#include <QFont>
#include <QPalette>

class QWidget;

namespace kvt::ui {

// The colours the windows were designed with. The red of texts is a deep red: pure red on white
// stays below the contrast that small text needs (4.0 : 1 against 4.5 : 1).
inline const QColor kLightGrey{0xC0, 0xC0, 0xC0};
inline const QColor kLabelGrey{0x80, 0x80, 0x80};
inline const QColor kGreen{0x00, 0x80, 0x00};
inline const QColor kTextRed{0xC0, 0x00, 0x00};
inline const QColor kWindowGrey{0xF0, 0xF0, 0xF0};

// A Japanese proportional Gothic user-interface font at a point size: IPAPGothic where it is
// installed, otherwise any sans-serif font that has the Japanese glyphs.
QFont japaneseUiFont(double pointSize, bool bold = false, bool italic = false);

// The light palette the windows were designed on: black text, white boxes, a window of
// `background`, greyed text for what is disabled. The layouts give explicit colours (blue, red
// and green texts, white on grey) that were chosen against light backgrounds; under a dark
// desktop theme they would become unreadable, so every window of the program keeps this palette
// whatever the theme.
QPalette designPalette(const QColor& background = kWindowGrey);
void useDesignPalette(QWidget& window, const QColor& background = kWindowGrey);

// A widget's text colour, and optionally its background (filled). Disabled widgets keep the
// palette's greyed colours, so that they look disabled.
void setColors(QWidget* widget, const QColor& text, const QColor& background = QColor());

}  // namespace kvt::ui
