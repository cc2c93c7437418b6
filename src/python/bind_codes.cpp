// SPDX-License-Identifier: MIT
#include <pybind11/stl.h>

#include "batch/batch_command_line.h"
#include "batch/code_lengths.h"
#include "bindings.h"
#include "case_entries.h"
#include "python_text.h"

namespace py = pybind11;

namespace kvt::python {

namespace {

// kvt-batch's --codes, --fy, --units and the codes' factors, read by its own parser, so that a
// factor given wrongly is refused in its words; the case stands in the place of a file.
BatchCommand codeCommand(const std::vector<std::string>& options) {
  std::vector<std::string> args = options;
  args.push_back("--");
  args.push_back("case");
  return parseBatchCommandLine(args);
}

py::tuple lengthTuple(const codes::CodeLength& length) {
  py::list terms;
  for (const codes::CodeTerm& t : length.terms)
    terms.append(py::make_tuple(pythonText(t.name), t.value, pythonText(t.unit)));
  return py::make_tuple(std::string(codes::codeKey(length.code)),
                        std::string(codes::codeTitle(length.code)), length.length, length.meanBasis,
                        pythonText(length.equation), terms);
}

// Each code's anchorage length of the case's bar (mm), in the order the options name them.
py::list codeLengths(const CaseEntries& entries, const std::vector<std::string>& options) {
  const BatchCommand command = codeCommand(options);
  const codes::AnchorageCase c = anchorageCaseOf(
      entries.committed(), command.options.fy.value_or(0), command.study.codes.factors);
  py::list lengths;
  for (const codes::DesignCode code : command.study.codes.codes)
    lengths.append(lengthTuple(codes::anchorageLength(code, c)));
  return lengths;
}

// What `kvt-batch --codes` prints for the case.
std::string codeReport(const CaseEntries& entries, const std::string& name,
                       const std::vector<std::string>& options) {
  const BatchCommand command = codeCommand(options);
  return codeLengthsReport(name, entries.committed(), command.options.fy.value_or(0),
                           command.study.codes, command.options.units);
}

}  // namespace

void bindCodes(py::module_& m) {
  m.def("code_lengths", &codeLengths);
  m.def("code_report", [](const CaseEntries& entries, const std::string& name,
                          const std::vector<std::string>& options) {
    return pythonText(codeReport(entries, name, options));
  });
}

}  // namespace kvt::python
