// SPDX-License-Identifier: MIT
#include "converged_record.h"

#include <memory>
#include <variant>

namespace kvt {

namespace {

// The step of a point: its place in the curve, counted from 1.
int stepOf(const ConvergedResult& r, double s0) {
  for (std::size_t k = r.peakIndex; k < r.points.size(); ++k)
    if (r.points[k].s0 == s0) return static_cast<int>(k) + 1;
  return static_cast<int>(r.peakIndex) + 1;
}

RunStart convergedStart(const RunLaw& law, const AnalysisParameters& parameters, double length) {
  RunStart start;
  start.tauMax = std::visit([](const auto& l) { return l.peak(); }, law);
  start.segmentCount = kConvergedSections;
  start.deltaL = static_cast<float>(length / kConvergedSections);
  start.initialDs = parameters.initialDs;
  return start;
}

}  // namespace

RunRecord convergedRecord(const AnalysisParameters& parameters, CaseSource source, LawEntries law,
                          const ConvergedOptions& options) {
  RunRecord record(parameters, std::move(source), std::move(law));
  try {
    const RunLaw runLaw = formRunLaw(record.law(), parameters);
    auto solution = std::make_shared<const ConvergedResult>(
        runConverged(runLaw, barModelOf(parameters), options));
    record.begin(convergedStart(runLaw, parameters, solution->length));
    int step = 0;
    for (const ConvergedPoint& point : solution->points)
      record.add({++step, point.s0, point.loadedEndSlip, point.loadedEndForce, point.tauAvg});
    const int first = static_cast<int>(solution->peakIndex) + 1;
    const int last = stepOf(*solution, solution->peak.lastS0);
    record.setConverged(std::move(solution), first, last);
    record.finish();
  } catch (const Error& error) {
    record.fail(error);
  }
  return record;
}

RunRecord convergedPeakRecord(const AnalysisParameters& parameters, CaseSource source,
                              LawEntries law, const ConvergedOptions& options) {
  RunRecord record(parameters, std::move(source), std::move(law));
  try {
    const RunLaw runLaw = formRunLaw(record.law(), parameters);
    const BarModel bar = barModelOf(parameters);
    auto solution = std::make_shared<ConvergedResult>();
    solution->peak = convergedPeak(runLaw, bar, options);
    solution->length = bar.length;
    solution->relativeTolerance = options.relativeTolerance;
    const ConvergedPeak& peak = solution->peak;
    solution->points.push_back(
        {peak.firstS0, peak.firstLoadedEndSlip, peak.force, peak.tauAvg, bar.length});
    record.begin(convergedStart(runLaw, parameters, bar.length));
    record.add({1, peak.firstS0, peak.firstLoadedEndSlip, peak.force, peak.tauAvg});
    record.setConverged(std::move(solution), 1, 1);
    record.finish();
  } catch (const Error& error) {
    record.fail(error);
  }
  return record;
}

std::vector<SectionRow> convergedSections(const RunRecord& record, int step) {
  const ConvergedResult* solution = record.converged();
  if (!solution || !record.row(step)) return {};
  const AnalysisParameters& p = record.parameters();
  const BarModel bar = barModelOf(p);
  const double h = solution->length / kConvergedSections;
  std::vector<double> xs;
  for (int i = 0; i <= kConvergedSections; ++i)
    xs.push_back(i * h);
  const ConvergedPoint& point = solution->points.at(static_cast<std::size_t>(step - 1));
  const std::vector<ProfilePoint> along =
      convergedProfile(formRunLaw(record.law(), p), bar, point, xs, solution->relativeTolerance);
  std::vector<SectionRow> rows;
  for (int i = 1; i <= kConvergedSections; ++i) {
    const ProfilePoint& at = along[static_cast<std::size_t>(i)];
    const ProfilePoint& before = along[static_cast<std::size_t>(i - 1)];
    rows.push_back({i, at.x, at.slip, at.force, before.tau, -1});
  }
  return rows;
}

}  // namespace kvt
