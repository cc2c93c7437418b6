// SPDX-License-Identifier: MIT
#include <pybind11/stl.h>

#include "batch/required_length.h"
#include "bindings.h"
#include "output/csv_export.h"

namespace py = pybind11;

namespace kvt::python {

void bindNumbers(py::module_& m) {
  m.def("round_trip_texts", [](const std::vector<double>& values) {
    std::vector<std::string> texts;
    texts.reserve(values.size());
    for (const double value : values)
      texts.push_back(roundTripText(value));
    return texts;
  });
  m.def("length_texts", [](const std::vector<int>& tenths) {
    std::vector<std::string> texts;
    texts.reserve(tenths.size());
    for (const int t : tenths)
      texts.push_back(lengthText(t));
    return texts;
  });
}

}  // namespace kvt::python
