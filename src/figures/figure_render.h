// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QSizeF>

#include "figure.h"

namespace kvt {

// The figure as the bytes of a file, on a white page. Its text is sized for a figure 800 units
// wide: a PNG of `size` pixels is that figure scaled to fit, so its text keeps its proportion
// at any resolution; SVG and PDF are vector drawings of the same proportions, the PDF page 800
// points wide, about the width of a landscape A4 page. Needs a QApplication.
QByteArray renderFigure(const Figure& figure, FigureFormat format, FigureSize size = {});

// The figure's own drawing: 800 units wide, in units of its fonts' pixels, in the proportions
// of `size`.
QSizeF figureCanvas(FigureSize size);

}  // namespace kvt
