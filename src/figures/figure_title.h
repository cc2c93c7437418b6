// SPDX-License-Identifier: MIT
#pragma once

#include <QFont>
#include <QString>
#include <vector>

#include "figure_style.h"

namespace kvt {

struct TitleLine {
  QString text;
  QFont font;
};

// A figure's title ("Load–slip — beam 1, db = 1.3 cm, lb = 20 cm") in lines no wider than
// `room`: on one line, bold, if it fits; else what the figure shows in bold on the first line
// and the case below it in regular type, on two lines at most, broken between words but never
// inside "db = 1.3 cm", and the last line cut short if it is still too wide.
std::vector<TitleLine> titleLines(const QString& title, const FigureStyle& style, double room);

}  // namespace kvt
