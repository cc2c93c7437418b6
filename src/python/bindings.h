// SPDX-License-Identifier: MIT
//
// The Python package's C++ layer, kvt._core: the core's cases, runs, studies, laws and codes
// as small handles that the Python modules of the package wrap into DataFrames and figures.
// Everything here calls the same functions kvt-batch calls, so a script gets kvt-batch's
// numbers; the GIL is released whenever C++ computes.
#pragma once

#include <pybind11/pybind11.h>

#include "analysis/run_law.h"

namespace kvt::python {

// A bond law as Python holds it. `LawEntries` is a variant, which pybind11's casters for the
// standard library would hand over as whichever alternative it holds; the handle keeps it one
// type, kvt._core.Law.
struct BoundLaw {
  LawEntries entries;
};

void bindCase(pybind11::module_& m);
void bindRun(pybind11::module_& m);
void bindStudy(pybind11::module_& m);
void bindNumbers(pybind11::module_& m);
void bindLaw(pybind11::module_& m);
void bindCodes(pybind11::module_& m);

}  // namespace kvt::python
