// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QSizeF>

#include "figure.h"

namespace kvt {

// The figure as the bytes of a file, on a white page of `size`: a PNG at 10 pixels a
// millimetre, SVG and PDF as vector drawings of that size. Text and lines have their sizes in
// points of the printed figure (`FigureStyle`). Needs a QApplication.
QByteArray renderFigure(const Figure& figure, FigureFormat format, FigureSize size = {});

// A file's figure is laid out in quarter points, so that its text takes sizes finer than whole
// points: the canvas of a figure of `size`, in those units.
inline constexpr double kFileUnitsPerPoint = 4;
QSizeF figureCanvas(FigureSize size);
// The pixels of a PNG of `size`.
QSize figurePixels(FigureSize size);

}  // namespace kvt
