// SPDX-License-Identifier: MIT
#pragma once

#include <stdexcept>
#include <string>

#include "figures/figure.h"

namespace kvt {

// The figure module could not be loaded, or could not draw a figure.
class FigureModuleError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Draws a figure as the bytes of a PNG, SVG or PDF file, through the figure module. The module,
// and with it Qt, is loaded on the first call only, so a run that asks for no figure neither
// loads nor needs the Qt libraries. It is looked for beside the program (the build tree), in
// the program's private library folder (an installation), and where the build left it. Calls
// are serialised: Qt draws in one thread at a time. Throws `FigureModuleError`.
std::string drawFigure(const Figure& figure, FigureFormat format, FigureSize size = {});

}  // namespace kvt
