// SPDX-License-Identifier: MIT
//
// The user-interface layer: one class per window, built in code, keeping the names under which
// the windows and their controls have always been known (Form1, Text10, frmOpenSave …) as Qt
// object names. Handlers are thin: they read the widgets, call the core once, and show the result.
// Geometry is given in twips (1/1440 inch), as the layouts were drawn; at 96 dpi that is 15 twips
// per device-independent pixel, so every window keeps its designed client size.
#pragma once

#include <QRect>
#include <QSize>

namespace kvt::ui {

constexpr int kTwipsPerPixel = 15;

constexpr int px(int twips) {
  return twips / kTwipsPerPixel;
}

// A rectangle given as left, top, width, height in twips.
inline QRect twipsRect(int left, int top, int width, int height) {
  return {px(left), px(top), px(width), px(height)};
}

inline QSize twipsSize(int width, int height) {
  return {px(width), px(height)};
}

}  // namespace kvt::ui
