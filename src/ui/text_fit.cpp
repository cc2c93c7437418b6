// SPDX-License-Identifier: MIT
#include "text_fit.h"

#include <QFontMetricsF>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QTextLayout>
#include <algorithm>

namespace kvt::ui {

namespace {

// A line edit keeps this many pixels between its frame and its text on each side, and scrolls
// its text unless it leaves one more pixel for the cursor.
constexpr int kLineEditPadding = 2;
constexpr int kCursorWidth = 1;
constexpr int kNarrowestStretch = 80;

QChar widestDigit(const QFontMetricsF& metrics) {
  QChar widest = '0';
  for (char digit = '1'; digit <= '9'; ++digit)
    if (metrics.horizontalAdvance(QChar(digit)) > metrics.horizontalAdvance(widest)) widest = digit;
  return widest;
}

bool allFit(const QFont& font, const QStringList& texts, int room) {
  return std::all_of(texts.begin(), texts.end(),
                     [&](const QString& text) { return textWidth(font, text) <= room; });
}

}  // namespace

double textWidth(const QFont& font, const QString& text) {
  QTextLayout layout(text, font);
  layout.beginLayout();
  QTextLine line = layout.createLine();
  line.setLineWidth(1e6);
  layout.endLayout();
  return std::max(QFontMetricsF(font).horizontalAdvance(text), line.naturalTextWidth());
}

QStringList widestTexts(const QString& pattern, const QWidget& widget) {
  QString text = pattern;
  text.replace('#', widestDigit(QFontMetricsF(widget.font())));
  text.replace('0', widestDigit(QFontMetricsF(widget.font())));
  if (!text.contains('+')) return {text};
  return {text, QString(text).replace('+', '-')};
}

int textRoom(const QWidget& widget) {
  if (const auto* label = qobject_cast<const QLabel*>(&widget)) {
    const int margin = label->margin() + std::max(label->indent(), 0);
    return label->contentsRect().width() - 2 * margin;
  }
  if (const auto* box = qobject_cast<const QLineEdit*>(&widget)) {
    int frame = 0;
    if (box->hasFrame()) {
      QStyleOptionFrame option;
      option.initFrom(box);
      frame = box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, box);
    }
    const QMargins margins = box->textMargins();
    return box->contentsRect().width() - 2 * frame - margins.left() - margins.right() -
           2 * kLineEditPadding - kCursorWidth;
  }
  return widget.contentsRect().width();
}

void narrowInnerMargins(QLineEdit& box) {
  // Negative margins take back part of the line edit's own padding; with a frame, its border
  // line is one pixel of the frame's width.
  const int take = box.hasFrame() ? kLineEditPadding : kLineEditPadding - 1;
  box.setTextMargins(-take, 0, -take, 0);
}

int condenseToFit(QWidget& widget, const QStringList& texts) {
  QFont font = widget.font();
  const int room = textRoom(widget);
  int stretch = 100;
  while (stretch > kNarrowestStretch && !allFit(font, texts, room)) {
    font.setStretch(--stretch);
  }
  if (stretch != 100) widget.setFont(font);
  return stretch;
}

}  // namespace kvt::ui
