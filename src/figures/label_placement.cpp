// SPDX-License-Identifier: MIT
#include "label_placement.h"

#include <algorithm>
#include <limits>

namespace kvt {

namespace {

double overlap(const QRectF& a, const QRectF& b) {
  const QRectF common = a.intersected(b);
  return common.isValid() ? common.width() * common.height() : 0.0;
}

// Top-left corners around the anchor, nearest first: the four corners, then above, below and
// either side, each again farther out.
std::vector<QPointF> candidates(const LabelRequest& r, double gap) {
  const double w = r.size.width();
  const double h = r.size.height();
  const QPointF p = r.anchor;
  std::vector<QPointF> corners;
  for (const double reach : {1.0, 2.5, 5.0}) {
    // Diagonally the marker's circle reaches 0.7 of its radius along each axis.
    const double d = gap * reach + 0.7 * r.markerRadius;
    const double m = r.markerRadius + gap * reach;
    const std::vector<QPointF> ring = {
        {p.x() + d, p.y() - d - h},     {p.x() - d - w, p.y() - d - h},
        {p.x() + d, p.y() + d},         {p.x() - d - w, p.y() + d},
        {p.x() - w / 2, p.y() - m - h}, {p.x() - w / 2, p.y() + m},
        {p.x() + m, p.y() - h / 2},     {p.x() - m - w, p.y() - h / 2},
        {p.x() + m, p.y() - m - 2 * h}, {p.x() - m - w, p.y() - m - 2 * h},
        {p.x() + m, p.y() + m + h},     {p.x() - m - w, p.y() + m + h},
    };
    corners.insert(corners.end(), ring.begin(), ring.end());
  }
  return corners;
}

QRectF inside(QRectF rect, const QRectF& area) {
  rect.moveLeft(
      std::clamp(rect.left(), area.left(), std::max(area.left(), area.right() - rect.width())));
  rect.moveTop(
      std::clamp(rect.top(), area.top(), std::max(area.top(), area.bottom() - rect.height())));
  return rect;
}

}  // namespace

std::vector<QRectF> placeLabels(const std::vector<LabelRequest>& requests, const QRectF& area,
                                const std::vector<QPointF>& inkPoints, double gap) {
  std::vector<QRectF> placed;
  for (std::size_t k = 0; k < requests.size(); ++k) {
    const LabelRequest& r = requests[k];
    double bestCost = std::numeric_limits<double>::infinity();
    QRectF best;
    const std::vector<QPointF> corners = candidates(r, gap);
    for (std::size_t c = 0; c < corners.size(); ++c) {
      const QRectF rect(corners[c], r.size);
      // Leaving the plot or covering another label weighs far more than covering a curve.
      double cost = 1e6 * (rect.width() * rect.height() - overlap(rect, area));
      for (const QRectF& other : placed)
        cost += 1e5 * overlap(rect.adjusted(-gap / 2, -gap / 2, gap / 2, gap / 2), other);
      for (std::size_t m = 0; m < requests.size(); ++m) {
        const double radius = requests[m].markerRadius + gap / 2;
        const QRectF marker(requests[m].anchor - QPointF(radius, radius),
                            QSizeF(2 * radius, 2 * radius));
        cost += 1e3 * overlap(rect, marker);
      }
      for (const QPointF& ink : inkPoints)
        if (rect.contains(ink)) cost += 1;
      cost += 0.01 * static_cast<double>(c);
      if (cost < bestCost) {
        bestCost = cost;
        best = rect;
      }
    }
    placed.push_back(inside(best, area));
  }
  return placed;
}

}  // namespace kvt
