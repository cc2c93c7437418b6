// SPDX-License-Identifier: MIT
#include "bindings.h"
#include "python_errors.h"

PYBIND11_MODULE(_core, m) {
  m.doc() = "kvt's C++ core; use the package kvt, which wraps it.";
  kvt::python::registerErrorTranslation();
  kvt::python::bindNumbers(m);
  kvt::python::bindLaw(m);
  kvt::python::bindCase(m);
  kvt::python::bindRun(m);
  kvt::python::bindStudy(m);
  kvt::python::bindCodes(m);
}
