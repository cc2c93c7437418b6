// SPDX-License-Identifier: MIT
// Where the windows go on the screen. Positions are those of the windows' outer frames; a window
// is never left where its title bar cannot be reached.
#pragma once

#include <QPoint>
#include <QRect>

class QWidget;

namespace kvt::ui {

// The top-left corner for a frame at `frame`, shifted as little as needed to lie within `area`.
// A frame larger than the area keeps its top-left corner (the title bar and the window menu) in
// it.
QPoint keptWithin(const QRect& frame, const QRect& area);

// Moves a window so that its frame stands at `frame`, kept on the screen's usable area.
void placeFrame(QWidget& window, const QRect& frame);

// Centres a window on the screen by its outer size, kept on the screen. A window that has never
// been shown has no frame yet: it is centred by its client size now, and once more as soon as the
// window manager has framed it.
void centreOnScreen(QWidget& window);

}  // namespace kvt::ui
