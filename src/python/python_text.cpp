// SPDX-License-Identifier: MIT
#include "python_text.h"

namespace kvt::python {

pybind11::str pythonText(std::string_view text) {
  PyObject* decoded =
      PyUnicode_DecodeUTF8(text.data(), static_cast<Py_ssize_t>(text.size()), "surrogateescape");
  if (!decoded) throw pybind11::error_already_set();
  return pybind11::reinterpret_steal<pybind11::str>(decoded);
}

}  // namespace kvt::python
