// SPDX-License-Identifier: MIT
#include <pybind11/stl.h>

#include <variant>

#include "batch/study_grid.h"
#include "bindings.h"
#include "case_entries.h"
#include "case_run.h"
#include "python_text.h"

namespace py = pybind11;

namespace kvt::python {

namespace {

constexpr int kCommentBox = 1;

// The boxes by the names --vary gives them, in the order of the parameter file.
const std::vector<std::pair<std::string, int>>& namedBoxes() {
  static const std::vector<std::pair<std::string, int>> boxes = [] {
    std::vector<std::pair<std::string, int>> named{{"comment", kCommentBox}};
    const std::string names = variedEntryNames();
    for (std::size_t at = 0; at < names.size();) {
      const std::size_t comma = names.find(", ", at);
      const std::string name = names.substr(at, comma - at);
      auto parsed = VariedEntry::parse(name + "=1");
      if (const auto* entry = std::get_if<VariedEntry>(&parsed);
          entry && !entry->isBar() && !entry->isLawEntry())
        named.emplace_back(name, entry->box());
      at = comma == std::string::npos ? names.size() : comma + 2;
    }
    return named;
  }();
  return boxes;
}

py::dict textsByName(const BoxTexts& texts) {
  py::dict named;
  for (const auto& [name, box] : namedBoxes())
    named[py::str(name)] = pythonText(texts[box]);
  return named;
}

py::dict committedFields(const AnalysisParameters& p) {
  py::dict fields;
  const std::pair<const char*, float> values[] = {{"cotAlpha", p.cotAlpha},
                                                  {"beta", p.beta},
                                                  {"deltaL", p.deltaL},
                                                  {"ru", p.ru},
                                                  {"lb", p.lb},
                                                  {"sigmaB", p.sigmaB},
                                                  {"sigmaT", p.sigmaT},
                                                  {"Ec", p.Ec},
                                                  {"db", p.db},
                                                  {"Ab", p.Ab},
                                                  {"phi", p.phi},
                                                  {"Es", p.Es},
                                                  {"pw", p.pw},
                                                  {"k1", p.k1},
                                                  {"k2", p.k2},
                                                  {"reductionFactor", p.reductionFactor},
                                                  {"initialDs", p.initialDs},
                                                  {"tauU", p.tauU},
                                                  {"su", p.su}};
  for (const auto& [name, value] : values)
    fields[name] = static_cast<double>(value);
  return fields;
}

py::tuple stateTuple(const CaseEntries& c) {
  const CaseEntries::State s = c.state();
  py::list texts, fileTexts;
  for (const int box : caseBoxes()) {
    texts.append(py::bytes(s.texts[box]));
    fileTexts.append(py::bytes(s.fileTexts[box]));
  }
  return py::make_tuple(texts, s.detailOutput, py::bytes(s.file), fileTexts);
}

CaseEntries fromState(const py::tuple& t) {
  if (t.size() != 4) throw std::invalid_argument("not the state of a kvt case");
  CaseEntries::State s;
  const auto texts = t[0].cast<std::vector<std::string>>();
  const auto fileTexts = t[3].cast<std::vector<std::string>>();
  if (texts.size() != caseBoxes().size() || fileTexts.size() != caseBoxes().size())
    throw std::invalid_argument("not the state of a kvt case");
  for (std::size_t k = 0; k < caseBoxes().size(); ++k) {
    s.texts[caseBoxes()[k]] = texts[k];
    s.fileTexts[caseBoxes()[k]] = fileTexts[k];
  }
  s.detailOutput = t[1].cast<bool>();
  s.file = t[2].cast<std::string>();
  return CaseEntries::restore(s);
}

}  // namespace

void bindCase(py::module_& m) {
  py::class_<CaseEntries>(m, "Entries", "The parameter window's entries of a case.")
      .def(py::init<>())
      .def_static("load",
                  [](const std::string& path) {
                    std::vector<std::string> warnings;
                    CaseEntries loaded = CaseEntries::load(path, warnings);
                    py::list lines;
                    for (const std::string& line : warnings)
                      lines.append(pythonText(line));
                    return py::make_tuple(std::move(loaded), lines);
                  })
      .def("with_values", &CaseEntries::with)
      .def("with_comment", &CaseEntries::withComment)
      .def("texts", [](const CaseEntries& c) { return textsByName(c.entries().texts()); })
      .def("committed", [](const CaseEntries& c) { return committedFields(c.committed()); })
      .def("label", [](const CaseEntries& c) { return pythonText(caseLabel(c)); })
      .def("name",
           [](const CaseEntries& c) {
             return pythonText(caseName(c.entries().record().comment, c.entries().caseSource()));
           })
      .def("file", [](const CaseEntries& c) { return py::bytes(c.entries().caseSource().file); })
      .def("state", &stateTuple)
      .def_static("restore", &fromState);
}

}  // namespace kvt::python
