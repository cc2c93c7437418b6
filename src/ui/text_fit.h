// SPDX-License-Identifier: MIT
// Keeping texts whole in the boxes and labels drawn for a narrower Japanese UI font. The layouts
// give every box and label its size; IPAPGothic's figures are wider than those of the font the
// windows were drawn with, so a text that once fitted can lose its first or last characters. The
// windows therefore keep their boxes' inner margins small and, where a text still does not fit,
// condense the font just enough (never below 80 % of its width), rather than move or grow a box.
#pragma once

#include <QStringList>

class QFont;
class QLineEdit;
class QWidget;

namespace kvt::ui {

// The width a line of text takes when drawn: its advance, or more where the last glyph's ink
// reaches beyond it.
double textWidth(const QFont& font, const QString& text);

// The widest text a display pattern gives ("###0.00", "0.000e+00"): every digit place filled
// with the widest figure of the font, and with both exponent signs for a scientific pattern.
QStringList widestTexts(const QString& pattern, const QWidget& widget);

// The width a widget has for one line of text: a label's contents rectangle less its margin and
// indent; a line edit's, less its frame and the inner margins.
int textRoom(const QWidget& widget);

// Gives a line edit a narrow inner margin: 1 pixel between its border and its text.
void narrowInnerMargins(QLineEdit& box);

// Condenses the widget's font, in steps of 1 %, until each of `texts` fits its room on a line;
// returns the stretch chosen (100 when nothing needed condensing).
int condenseToFit(QWidget& widget, const QStringList& texts);

}  // namespace kvt::ui
