// SPDX-License-Identifier: MIT
#include "figure_title.h"

#include <QFontMetricsF>
#include <QStringList>

namespace kvt {

namespace {

// Words into lines no wider than `room`, the last one cut short when more would be needed.
QStringList wrapped(const QString& text, const QFontMetricsF& metrics, double room, int most) {
  QStringList lines;
  QString line;
  // "db = 1.3 cm" stays on one line: only blanks outside an equation break.
  QString joined = text;
  joined.replace(" = ", QStringLiteral("\u00A0=\u00A0"));
  const QStringList words = joined.split(' ');
  for (qsizetype k = 0; k < words.size(); ++k) {
    const QString longer = line.isEmpty() ? words[k] : line + ' ' + words[k];
    if (line.isEmpty() || metrics.horizontalAdvance(longer) <= room) {
      line = longer;
      continue;
    }
    if (lines.size() + 1 == most) {
      // The last line takes the rest, and is cut short below.
      line = longer + (k + 1 < words.size() ? ' ' + words.mid(k + 1).join(' ') : QString());
      line.replace(QChar(0xA0), ' ');
      break;
    }
    lines.append(line);
    line = words[k];
  }
  lines.append(line);
  for (QString& l : lines) {
    l.replace(QChar(0xA0), ' ');
    l = metrics.elidedText(l, Qt::ElideRight, room);
  }
  return lines;
}

}  // namespace

std::vector<TitleLine> titleLines(const QString& title, const FigureStyle& style, double room) {
  const QFont bold = style.font(FigureStyle::kTitlePoints, true);
  const QFont regular = style.font(FigureStyle::kTitlePoints);
  if (QFontMetricsF(bold).horizontalAdvance(title) <= room) return {{title, bold}};
  std::vector<TitleLine> lines;
  const qsizetype dash = title.indexOf(" — ");
  if (dash > 0) {
    lines.push_back({QFontMetricsF(bold).elidedText(title.left(dash), Qt::ElideRight, room), bold});
    for (const QString& line : wrapped(title.mid(dash + 3), QFontMetricsF(regular), room, 2))
      lines.push_back({line, regular});
  } else {
    for (const QString& line : wrapped(title, QFontMetricsF(bold), room, 2))
      lines.push_back({line, bold});
  }
  return lines;
}

}  // namespace kvt
