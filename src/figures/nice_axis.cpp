// SPDX-License-Identifier: MIT
#include "nice_axis.h"

#include <QFontMetricsF>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

namespace kvt {

void AxisSpan::add(double v) {
  if (!std::isfinite(v)) return;
  low = std::min(low, v);
  high = std::max(high, v);
}

void setNiceRange(QValueAxis& axis, const AxisSpan& span, double headroom, int maxLabels) {
  double low = span.low;
  double high = span.high;
  if (!std::isfinite(low) || !std::isfinite(high)) low = high = 0;
  low = std::min(low, 0.0);
  high = std::max(high, 0.0);
  high += (high - low) * headroom;
  if (!(high > low)) high = low + 1;
  maxLabels = std::max(maxLabels, 2);
  double power = std::pow(10.0, std::floor(std::log10((high - low) / maxLabels)));
  double spacing = 0;
  for (int guard = 0; spacing == 0 && guard < 4; ++guard, power *= 10)
    for (const double step : {1.0, 2.0, 2.5, 5.0}) {
      const double labels = std::ceil(high / (step * power)) - std::floor(low / (step * power)) + 1;
      if (labels <= maxLabels) {
        spacing = step * power;
        break;
      }
    }
  axis.setTickType(QValueAxis::TicksDynamic);
  axis.setTickAnchor(0);
  axis.setTickInterval(spacing);
  // Qt Charts steps from tick to tick by adding the spacing, which may overshoot the last one by
  // a rounding error and drop it: the range ends a hair beyond it.
  const double top = span.endsAtTop ? high : std::ceil(high / spacing) * spacing;
  axis.setRange(std::floor(low / spacing) * spacing, top * (1 + 1e-9) + spacing * 1e-9);
}

int tickCount(const QValueAxis& axis) {
  const double spacing = axis.tickInterval();
  if (!(spacing > 0)) return 0;
  return static_cast<int>(std::floor((axis.max() - axis.min()) / spacing + 1e-6)) + 1;
}

std::vector<double> tickValues(const QValueAxis& axis) {
  std::vector<double> values;
  const int count = tickCount(axis);
  for (int k = 0; k < count; ++k)
    values.push_back(axis.min() + k * axis.tickInterval());
  return values;
}

double widestTickLabel(const QValueAxis& axis, const QFontMetricsF& metrics) {
  double widest = 0;
  for (const double value : tickValues(axis))
    widest = std::max(widest, metrics.horizontalAdvance(tickText(value, axis.tickInterval())));
  return widest;
}

QString tickText(double value, double spacing) {
  if (std::fabs(value) < spacing * 1e-6) return "0";
  if (!(spacing >= 1e-6 && spacing < 1e7)) return QString::number(value, 'g', 6);
  int decimals = 0;
  for (double scaled = spacing; decimals < 7; ++decimals, scaled *= 10)
    if (std::fabs(scaled - std::round(scaled)) < 1e-6 * scaled) break;
  return QString::number(value, 'f', decimals);
}

}  // namespace kvt
