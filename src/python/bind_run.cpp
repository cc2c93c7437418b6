// SPDX-License-Identifier: MIT
#include <pybind11/stl.h>

#include "analysis/units.h"
#include "bindings.h"
#include "case_run.h"
#include "error/error.h"
#include "output/csv_export.h"
#include "python_errors.h"
#include "python_text.h"

namespace py = pybind11;

namespace kvt::python {

namespace {

UnitSystem unitSystem(const std::string& units) {
  if (units == "kgf-cm") return UnitSystem::KgfCm;
  if (units == "si" || units == "SI") return UnitSystem::SI;
  throw UsageError("units is si or kgf-cm, not '" + units + "'");
}

Quantity quantityNamed(const std::string& name) {
  if (name == "force") return Quantity::Force;
  if (name == "length") return Quantity::Length;
  if (name == "stress") return Quantity::Stress;
  throw std::invalid_argument("no quantity is called " + name);
}

RunMethod runMethod(const std::string& method) {
  if (method == "segments") return RunMethod::Segments;
  if (method == "converged") return RunMethod::Converged;
  throw UsageError("method is segments or converged, not '" + method + "'");
}

RunRecord run(const CaseEntries& entries, const BoundLaw& law, const std::string& method) {
  const RunMethod how = runMethod(method);
  SignalWatch watch;
  RunRecord record;
  {
    py::gil_scoped_release released;
    record = runCase(entries, law.entries, how, watch);
  }
  watch.raiseIfInterrupted();
  return record;
}

// A step's row in the units asked for: step, s0, loaded-end slip, force, τavg.
py::tuple rowTuple(const LoadSlipRow& row, UnitSystem units) {
  return py::make_tuple(row.step, inUnits(row.s0, Quantity::Length, units),
                        inUnits(row.loadedEndSlip, Quantity::Length, units),
                        inUnits(row.loadedEndForce, Quantity::Force, units),
                        inUnits(row.tauAvg, Quantity::Stress, units));
}

std::string profileText(const RunRecord& record, int step, const std::string& units) {
  const UnitSystem system = unitSystem(units);
  py::gil_scoped_release released;
  return lawCommentLine(record.law()) + profileCsv(record.sections(step), system);
}

void bindRecordNumbers(py::class_<RunRecord>& c) {
  c.def("step_count", &RunRecord::stepCount)
      .def("peak_step", &RunRecord::peakStep)
      .def("peak_last_step", &RunRecord::peakLastStep)
      .def("segment_count", &RunRecord::segmentCount)
      .def("analysed_length", &RunRecord::analysedLength)
      .def("tau_max",
           [](const RunRecord& r, const std::string& units) {
             return inUnits(r.tauMax(), Quantity::Stress, unitSystem(units));
           })
      .def("tau_avg_max",
           [](const RunRecord& r, const std::string& units) {
             return inUnits(r.tauAvgMax(), Quantity::Stress, unitSystem(units));
           })
      .def("pmax",
           [](const RunRecord& r, const std::string& units) {
             return inUnits(r.PMax(), Quantity::Force, unitSystem(units));
           })
      .def("row", [](const RunRecord& r, int step, const std::string& units) -> py::object {
        const LoadSlipRow* row = r.row(step);
        if (!row) return py::none();
        return rowTuple(*row, unitSystem(units));
      });
}

}  // namespace

void bindRun(py::module_& m) {
  py::class_<RunRecord> record(m, "Record", "The record of a run.");
  bindRecordNumbers(record);
  record.def("outcome", [](const RunRecord& r) { return outcomeName(r.outcome()); })
      .def("failure", [](const RunRecord& r) { return pythonText(r.failure()); })
      .def("failure_kind", [](const RunRecord& r) { return kindObject(r.failureKind()); })
      .def("case_name", [](const RunRecord& r) { return pythonText(r.caseName()); })
      .def("notes",
           [](const RunRecord& r, const std::string& units) {
             py::list notes;
             for (const std::string& note : marchNotes(r, unitSystem(units)))
               notes.append(pythonText(note));
             return notes;
           })
      .def("load_slip_csv",
           [](const RunRecord& r, const std::string& units) {
             return lawCommentLine(r.law()) + loadSlipCsv(r.rows(), unitSystem(units));
           })
      .def("profile_csv", &profileText);
  m.def("run", &run);
  m.def("unit_name", [](const std::string& quantity, const std::string& units) {
    return std::string(unitName(quantityNamed(quantity), unitSystem(units)));
  });
  m.def("in_units", [](double value, const std::string& quantity, const std::string& units) {
    return inUnits(value, quantityNamed(quantity), unitSystem(units));
  });
}

}  // namespace kvt::python
