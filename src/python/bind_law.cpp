// SPDX-License-Identifier: MIT
#include <pybind11/stl.h>

#include "analysis/run_law.h"
#include "bindings.h"
#include "files/law_file.h"
#include "python_text.h"

namespace py = pybind11;

namespace kvt::python {

namespace {

using Bond = Mc2010Entries::Bond;
using Failure = Mc2010Entries::Failure;

// What a pickled law carries: its kind and its entries, in kvt's units for a table.
py::tuple stateOf(const KvtLawEntries&) {
  return py::make_tuple("kvt");
}

py::tuple stateOf(const Mc2010Entries& e) {
  return py::make_tuple("mc2010", e.fcm, e.fck ? py::cast(*e.fck) : py::none(),
                        static_cast<int>(e.bond), static_cast<int>(e.failure), e.cClear, e.cMin,
                        e.cMax, e.km, e.Ktr);
}

py::tuple stateOf(const TableEntries& e) {
  std::vector<double> slips, stresses;
  for (const LawPoint& p : e.points) {
    slips.push_back(p.slip);
    stresses.push_back(p.stress);
  }
  return py::make_tuple("table", py::bytes(e.source), slips, stresses);
}

LawEntries entriesOf(const py::tuple& t) {
  const auto kind = t[0].cast<std::string>();
  if (kind == "kvt") return KvtLawEntries{};
  if (kind == "mc2010") {
    Mc2010Entries e;
    e.fcm = t[1].cast<double>();
    if (!t[2].is_none()) e.fck = t[2].cast<double>();
    e.bond = static_cast<Bond>(t[3].cast<int>());
    e.failure = static_cast<Failure>(t[4].cast<int>());
    e.cClear = t[5].cast<double>();
    e.cMin = t[6].cast<double>();
    e.cMax = t[7].cast<double>();
    e.km = t[8].cast<double>();
    e.Ktr = t[9].cast<double>();
    return e;
  }
  TableEntries table{t[1].cast<std::string>(), {}};
  const auto slips = t[2].cast<std::vector<double>>();
  const auto stresses = t[3].cast<std::vector<double>>();
  for (std::size_t k = 0; k < slips.size() && k < stresses.size(); ++k)
    table.points.push_back({slips[k], stresses[k]});
  return table;
}

}  // namespace

void bindLaw(py::module_& m) {
  py::class_<BoundLaw>(m, "Law", "A bond law and its entries.")
      .def(py::init<>())
      .def_static("read_file", [](const std::string& path) { return BoundLaw{readLawFile(path)}; })
      .def_static("read_text",
                  [](const std::string& text, const std::string& name) {
                    return BoundLaw{readLawText(text, name, std::string())};
                  })
      .def_static("read_table",
                  [](const std::vector<std::string>& lines, const std::string& name) {
                    return BoundLaw{readLawTableLines(lines, name)};
                  })
      .def("is_kvt", [](const BoundLaw& law) { return isKvtLaw(law.entries); })
      .def("summary", [](const BoundLaw& law) { return pythonText(lawSummary(law.entries)); })
      .def("describe",
           [](const BoundLaw& law) {
             py::list rows;
             for (const LawEntryText& row : describeLaw(law.entries))
               rows.append(py::make_tuple(pythonText(row.name), pythonText(row.value)));
             return rows;
           })
      .def("state",
           [](const BoundLaw& law) {
             return std::visit([](const auto& e) { return stateOf(e); }, law.entries);
           })
      .def_static("restore", [](const py::tuple& state) { return BoundLaw{entriesOf(state)}; });
}

}  // namespace kvt::python
