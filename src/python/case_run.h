// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <vector>

#include "analysis/run_law.h"
#include "analysis/run_record.h"
#include "analysis/units.h"
#include "case_entries.h"
#include "signal_watch.h"

namespace kvt::python {

// A case run as kvt-batch runs it, writing nothing: committed as "Execute" commits it, then
// marched with its law, or solved by the converged analysis. Ctrl+C stops the march at its next
// step and the record says so; the converged analysis, a fraction of a second, runs to its end.
// Throws the `NumericError` of "Execute"; a failure of the run itself ends in the record.
RunRecord runCase(const CaseEntries& entries, const LawEntries& law, RunMethod method,
                  SignalWatch& watch);

// The case as kvt-batch's lines name it: the parameter file as it was given, with
// " (modified)" once an entry has changed since; empty for a case of no file.
std::string caseLabel(const CaseEntries& entries);

// What the march does not say in its numbers (the length it analyses when that is not lb, a
// rising branch its first step already passes, a bar stress no deformed bar carries), one line
// each, a stress in `units`.
std::vector<std::string> marchNotes(const RunRecord& record, UnitSystem units);

}  // namespace kvt::python
