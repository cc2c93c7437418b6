// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <limits>
#include <vector>

class QFontMetricsF;
class QValueAxis;

namespace kvt {

// The values an axis has to show.
struct AxisSpan {
  double low = std::numeric_limits<double>::infinity();
  double high = -std::numeric_limits<double>::infinity();
  // The axis ends just beyond the headroom, not at the next tick: for a limit marked at the top.
  bool endsAtTop = false;
  void add(double v);
};

// From 0 (or the smallest value below it) to the largest value, with `headroom` (a fraction of
// the span) above the top, rounded out to whole ticks at 1, 2, 2.5 or 5 times a power of ten:
// the finest such spacing that needs no more than `maxLabels` tick labels.
void setNiceRange(QValueAxis& axis, const AxisSpan& span, double headroom, int maxLabels);

// The ticks an axis set by `setNiceRange` shows, their values, and the width of its widest
// number.
int tickCount(const QValueAxis& axis);
std::vector<double> tickValues(const QValueAxis& axis);
double widestTickLabel(const QValueAxis& axis, const QFontMetricsF& metrics);

// A tick's number, with as many decimals as the tick spacing has, so that 0.025, 0.050, 0.075
// line up; zero is "0".
QString tickText(double value, double spacing);

}  // namespace kvt
