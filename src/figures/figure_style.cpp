// SPDX-License-Identifier: MIT
#include "figure_style.h"

#include <algorithm>

namespace kvt {

namespace {
constexpr double kPointsPerMm = 72.0 / 25.4;
constexpr double kLargestTextScale = 8.0 / 7.0;
}  // namespace

FigureStyle::FigureStyle(QSizeF size, double unitsPerPoint) {
  const double widthMm = size.width() / unitsPerPoint / kPointsPerMm;
  textScale_ = std::clamp(widthMm / kSingleColumnMm, 1.0, kLargestTextScale);
  scale_ = unitsPerPoint * textScale_;
}

QFont FigureStyle::font(double points, bool bold) const {
  QFont font;
  font.setFamilies({"DejaVu Sans", "IPAPGothic", "IPAGothic"});
  font.setStyleHint(QFont::SansSerif);
  // Sized in scene units, whatever the device's resolution: the scene is scaled as a whole.
  font.setPixelSize(std::max(1, static_cast<int>(units(points) + 0.5)));
  font.setBold(bold);
  // Figures are scaled to any size and printed: the outlines as drawn, not fitted to the screen's
  // pixel grid (which also spares running each glyph's hinting program).
  font.setHintingPreference(QFont::PreferNoHinting);
  return font;
}

QPen FigureStyle::pen(const QColor& colour, double points, Qt::PenStyle style) const {
  QPen pen(colour, units(points));
  pen.setStyle(style);
  pen.setCapStyle(Qt::FlatCap);
  return pen;
}

}  // namespace kvt
