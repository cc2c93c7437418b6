// SPDX-License-Identifier: MIT
#pragma once

#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <vector>

namespace kvt {

// A label to be set beside a marked point: the point, the label's size and how far the marker
// reaches around the point.
struct LabelRequest {
  QPointF anchor;
  QSizeF size;
  double markerRadius = 0;
};

// Where each label goes, in order of the requests: beside its point (above right first, then
// the other corners, above, below and either side), inside `area`, clear of every label placed
// before it and of every other marker, and over as few of `inkPoints` (the curves) as can be. A
// label that fits nowhere clear of the others is pushed inside the area where it overlaps least.
// `gap` separates a label from its marker.
std::vector<QRectF> placeLabels(const std::vector<LabelRequest>& requests, const QRectF& area,
                                const std::vector<QPointF>& inkPoints, double gap);

}  // namespace kvt
