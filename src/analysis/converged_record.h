// SPDX-License-Identifier: MIT
#pragma once

#include <vector>

#include "converged_run.h"
#include "run_record.h"

namespace kvt {

// The converged analysis as a run record, which every reader takes as it takes the march's:
// the CSV files, the figures, a study's summary, the results window. Its rows are the curve's
// points, numbered as steps from 1; its Pbumax is the search's (the first point of a flat top);
// a point's distribution comes from the solution's dense output at kConvergedSections sections
// of equal length, each paired, as the march pairs them, with the bond stress at the section
// before it. A parameter set or law that the analysis cannot take ends as the record's failure.
inline constexpr int kConvergedSections = 200;

RunRecord convergedRecord(const AnalysisParameters& parameters, CaseSource source = {},
                          LawEntries law = KvtLawEntries{}, const ConvergedOptions& options = {});

// Pbumax alone, for a search over lengths: a converged record whose one row is the peak.
RunRecord convergedPeakRecord(const AnalysisParameters& parameters, CaseSource source = {},
                              LawEntries law = KvtLawEntries{},
                              const ConvergedOptions& options = {});

// The sections of a point of a converged record; empty for a point it does not have.
std::vector<SectionRow> convergedSections(const RunRecord& record, int step);

}  // namespace kvt
