// SPDX-License-Identifier: MIT
//
// The one entry point of the figure module, the shared object through which kvt-batch draws
// figures. kvt-batch links no Qt: it loads the module, and with it Qt, only when asked for
// figures, so that plain runs neither load nor need the Qt libraries.
#pragma once

#include <string>

#include "figure.h"

namespace kvt {

// Raised whenever `Figure` or the entry point changes shape: a module from another build is
// refused instead of misreading the figure.
inline constexpr int kFigureModuleVersion = 4;

// The module's version, an `extern "C" const int` of that name, read before anything is called.
inline constexpr const char* kFigureModuleVersionSymbol = "kvtFigureModuleVersion";

inline constexpr const char* kFigureModuleEntry = "kvtRenderFigure";

// Draws `figure` as a file of `format` into `bytes`; false with `error` set when it cannot.
// Calls must not overlap: the caller draws one figure at a time.
using RenderFigureEntry = bool (*)(int version, const Figure& figure, FigureFormat format,
                                   FigureSize size, std::string& bytes, std::string& error);

}  // namespace kvt
