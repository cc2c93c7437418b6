// SPDX-License-Identifier: MIT
#include "graph_widgets.h"

#include <QLabel>
#include <QLineEdit>

#include "text_fit.h"
#include "twips.h"
#include "ui_style.h"

namespace kvt::ui {

QLabel* addGraphLabel(QWidget* parent, const QString& caption, int leftTwips, int topTwips,
                      const QColor& colour) {
  auto* label = new QLabel(caption, parent);
  label->setFont(japaneseUiFont(9));
  setColors(label, colour);
  label->move(px(leftTwips), px(topTwips));
  label->adjustSize();
  // A caption that would run past the window's edge is condensed to end there.
  const int room = parent->width() - label->x();
  if (label->width() > room) {
    label->resize(room, label->height());
    condenseToFit(*label, {caption});
  }
  return label;
}

QLineEdit* addGraphBox(QWidget* parent, const QString& name, const QRect& rect,
                       const QColor& colour, const QString& pattern) {
  auto* box = new QLineEdit(parent);
  box->setObjectName(name);
  box->setGeometry(rect);
  box->setFont(japaneseUiFont(9, true));
  box->setReadOnly(true);
  box->setFocusPolicy(Qt::NoFocus);
  setColors(box, colour);
  condenseToFit(*box, widestTexts(pattern, *box));
  return box;
}

}  // namespace kvt::ui
