// SPDX-License-Identifier: MIT
// The labels and value boxes of the graph windows, laid over the drawing.
#pragma once

#include <QColor>
#include <QRect>
#include <QString>

class QLabel;
class QLineEdit;
class QWidget;

namespace kvt::ui {

QLabel* addGraphLabel(QWidget* parent, const QString& caption, int leftTwips, int topTwips,
                      const QColor& colour);
// A value box laid out for the widest text of its display pattern.
QLineEdit* addGraphBox(QWidget* parent, const QString& name, const QRect& rect,
                       const QColor& colour, const QString& pattern);

}  // namespace kvt::ui
