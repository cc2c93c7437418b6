// SPDX-License-Identifier: MIT
#pragma once

#include <filesystem>
#include <string>

#include "error/error.h"
#include "figures/figure.h"
#include "figures/figure_module_abi.h"

namespace kvt {

// The figure module could not be loaded, or could not draw a figure.
class FigureModuleError : public Error {
 public:
  explicit FigureModuleError(const std::string& message) : Error(ErrorKind::File, message) {}
};

// Draws a figure as the bytes of a PNG, SVG or PDF file, through the figure module. The module,
// and with it Qt, is loaded on the first call only, so a run that asks for no figure neither
// loads nor needs the Qt libraries. Calls are serialised: Qt draws in one thread at a time.
// Throws `FigureModuleError`.
std::string drawFigure(const Figure& figure, FigureFormat format, FigureSize size = {});

// The figure module of the program in `programFolder`: beside it (the build tree) or in its
// private library folder (an installation), and nowhere else, so that no other user can slip
// in a module of their own. A module that another user could have put or changed there is
// refused (`untrustedCode`), as is every module when the program's folder is not known (empty).
std::filesystem::path findFigureModule(const std::filesystem::path& programFolder);

// Loads the module and returns its entry point; a module of another version, or one that is
// not a figure module, is refused.
RenderFigureEntry openFigureModule(const std::filesystem::path& module);

}  // namespace kvt
