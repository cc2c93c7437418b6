// SPDX-License-Identifier: MIT
#include "python_errors.h"

#include "python_text.h"

namespace py = pybind11;

namespace kvt::python {

const char* kindName(ErrorKind kind) {
  switch (kind) {
    case ErrorKind::Parameter:
      return "parameter";
    case ErrorKind::Arithmetic:
      return "arithmetic";
    case ErrorKind::StepLimit:
      return "step-limit";
    case ErrorKind::File:
      return "file";
    case ErrorKind::Cancelled:
      return "cancelled";
    case ErrorKind::Usage:
      return "usage";
  }
  return "parameter";
}

py::object kindObject(std::optional<ErrorKind> kind) {
  return kind ? py::object(py::str(kindName(*kind))) : py::object(py::none());
}

void registerErrorTranslation() {
  py::register_exception_translator([](std::exception_ptr thrown) {
    try {
      if (thrown) std::rethrow_exception(thrown);
    } catch (const Error& error) {
      // The hierarchy lives in Python, where its classes are documented.
      const py::object errorFor = py::module_::import("kvt._errors").attr("error_for");
      const py::object type = errorFor(kindName(error.errorKind()));
      PyErr_SetObject(type.ptr(), pythonText(error.what()).ptr());
    }
  });
}

}  // namespace kvt::python
