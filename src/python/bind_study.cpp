// SPDX-License-Identifier: MIT
#include <pybind11/functional.h>
#include <pybind11/stl.h>

#include "batch/required_length.h"
#include "bindings.h"
#include "case_study.h"
#include "python_text.h"

namespace py = pybind11;

namespace kvt::python {

namespace {

std::string caseLine(const CaseStudy& study, std::uint64_t run) {
  if (run >= study.size()) throw py::index_error("the study has no run " + std::to_string(run));
  py::gil_scoped_release released;
  return study.line(study.row(run));
}

py::list allLines(const CaseStudy& study, const py::object& progress) {
  SignalWatch watch;
  std::vector<std::string> lines;
  {
    std::function<void(std::uint64_t, std::uint64_t)> tell;
    if (!progress.is_none())
      tell = [&progress](std::uint64_t done, std::uint64_t total) {
        py::gil_scoped_acquire gil;
        progress(done, total);
      };
    py::gil_scoped_release released;
    lines = study.lines(tell, watch);
  }
  watch.raiseIfInterrupted();
  py::list texts;
  for (const std::string& line : lines)
    texts.append(pythonText(line));
  return texts;
}

const char* requiredKind(RequiredLength::Kind kind) {
  switch (kind) {
    case RequiredLength::Kind::Found:
      return "found";
    case RequiredLength::Kind::NotReached:
      return "not reached";
    case RequiredLength::Kind::Failed:
      return "failed";
  }
  return "failed";
}

// The search for the required length of the study's one case, in kgf and cm.
py::dict requiredLength(const CaseStudy& study) {
  SummaryRow row;
  {
    py::gil_scoped_release released;
    row = study.row(0);
  }
  py::dict found;
  found["line"] = pythonText(study.line(row));
  if (!row.required) return found;
  const RequiredLength& r = *row.required;
  found["kind"] = requiredKind(r.kind);
  found["tenths"] = r.tenths;
  found["pmax"] = r.PMax;
  found["shorter_tenths"] = r.shorterTenths;
  found["shorter_pmax"] = r.shorterPMax;
  found["failed_tenths"] = r.failedTenths;
  found["failure"] = pythonText(r.failure);
  found["runs"] = r.runs;
  found["yield_force"] = row.yieldForce;
  return found;
}

}  // namespace

void bindStudy(py::module_& m) {
  py::class_<CaseStudy>(m, "Study", "A study of a case, with kvt-batch's options.")
      .def(py::init([](const CaseEntries& base, const BoundLaw& law,
                       const std::vector<std::string>& options) {
        return std::make_unique<CaseStudy>(base, law.entries, options);
      }))
      .def("size", &CaseStudy::size)
      .def("notes", &CaseStudy::notes)
      .def("header", &CaseStudy::header)
      .def("line", &caseLine)
      .def("lines", &allLines, py::arg("progress") = py::none())
      .def("required_length", &requiredLength);
}

}  // namespace kvt::python
