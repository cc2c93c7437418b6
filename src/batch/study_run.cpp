// SPDX-License-Identifier: MIT
#include "study_run.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <utility>

#include "batch_figures.h"
#include "codes/code_units.h"
#include "figure_loader.h"
#include "files/appending_file.h"
#include "files/atomic_write.h"
#include "ordered_runs.h"
#include "params/format_number.h"
#include "progress_line.h"
#include "study_case.h"
#include "study_figures.h"
#include "study_report.h"
#include "summary_table.h"

namespace kvt {

namespace {

// Every file of a study carries the moment the study started, so the outputs do not depend on
// when each run happened to be scheduled.
class FrozenClock final : public Clock {
 public:
  explicit FrozenClock(const Clock& clock) : now_(clock.now()) {}
  LocalDateTime now() const override { return now_; }

 private:
  LocalDateTime now_;
};

using Curve = std::vector<LoadSlipRow>;

Curve curveOf(const RunRecord& run) {
  return Curve(run.rows().begin(), run.rows().end());
}

}  // namespace

// Cases are not started, nor handed over, once the study is asked to stop.
struct Stopped {};

struct Study::Base {
  Base() = default;
  explicit Base(const ParameterEntries& given)
      : path(given.caseSource().file),
        changes(given.caseSource().changes),
        entries(record, given) {}

  std::string path;
  std::string changes;  // of the entries since they were loaded from the file
  AnalysisParameters record;
  ParameterEntries entries{record};
};

Study::Study(std::unique_ptr<Base> base, const BatchOptions& options, const StudyOptions& study)
    : base_(std::move(base)), options_(options), study_(study) {
  baseResultFile_ = resultFileFor(base_->path, options.outputDir);
  if (study.summaryPath) {
    summaryPath_ = *study.summaryPath;
  } else if (study.shard.count > 1) {
    summaryPath_ =
        besideResultFile(baseResultFile_, "study.shard" + std::to_string(study.shard.index) + "of" +
                                              std::to_string(study.shard.count) + ".csv");
  } else {
    summaryPath_ = besideResultFile(baseResultFile_, "study.csv");
  }
}

Study::~Study() = default;

std::unique_ptr<Study> Study::prepare(const std::string& baseFile, const BatchOptions& options,
                                      const StudyOptions& study) {
  auto base = std::make_unique<Base>();
  base->path = baseFile;
  loadForBatch(baseFile, base->entries);
  return std::unique_ptr<Study>(new Study(std::move(base), options, study));
}

std::unique_ptr<Study> Study::ofEntries(const ParameterEntries& entries,
                                        const BatchOptions& options, const StudyOptions& study) {
  return std::unique_ptr<Study>(new Study(std::make_unique<Base>(entries), options, study));
}

std::vector<std::string> Study::warnings() const {
  return partialEntryWarnings(base_->path, base_->entries);
}

std::uint64_t Study::runCount() const {
  const std::uint64_t size = study_.grid.size();
  const std::uint64_t first = study_.shard.index - 1;
  return size <= first ? 0 : (size - first - 1) / study_.shard.count + 1;
}

std::uint64_t Study::gridRun(std::uint64_t k) const {
  return study_.shard.index - 1 + k * study_.shard.count;
}

StudyCaseRunner Study::caseRunner(const Clock& clock) const {
  return StudyCaseRunner(base_->entries, {base_->path, base_->changes}, baseResultFile_, options_,
                         study_, clock);
}

std::uint64_t Study::runCases(const StudyCaseRunner& cases, std::uint64_t first,
                              const std::function<void(std::uint64_t, StudyCase&&)>& deliver,
                              const std::function<void()>& idle,
                              const std::function<bool()>& stop) const {
  const std::uint64_t count = first < runCount() ? runCount() - first : 0;
  std::uint64_t handed = 0;
  try {
    runInOrder<StudyCase>(
        count, options_.jobs == 0 ? everyCore() : options_.jobs,
        [&](std::uint64_t k) {
          if (stop && stop()) throw Stopped();
          return cases.run(gridRun(first + k));
        },
        [&](std::uint64_t k, StudyCase&& out) {
          deliver(first + k, std::move(out));
          ++handed;
          if (stop && stop()) throw Stopped();
        },
        idle);
  } catch (const Stopped&) {
  }
  return handed;
}

SummaryTable Study::summaryTable(UnitSystem units) const {
  return SummaryTable(study_, units, !isKvtLaw(options_.law), options_.fy);
}

StudyPoint Study::point(const StudyCase& done, bool withCurve) const {
  const SummaryRow& row = done.row;
  return {row.values,
          row.succeeded,
          row.record.PMax(),
          row.required,
          withCurve ? curveOf(row.record) : Curve(),
          codeLengthsOf(row.record.parameters())};
}

std::string Study::caseName() const {
  return kvt::caseName(base_->record.comment, {base_->path, base_->changes});
}

StudyResult Study::run(const Clock& systemClock, std::FILE* progressStream) const {
  const FrozenClock clock(systemClock);
  const bool figures = !options_.figureFormats.empty();
  const bool drawFamily = figures && drawsFamily();
  const StudyCaseRunner cases = caseRunner(clock);
  const SummaryTable table = summaryTable(options_.units);
  StudyReport report(base_->path, runCount(), study_, options_.units, options_.fy);
  std::vector<StudyPoint> points;
  const LocalDateTime stamp = clock.now();

  // Row by row as NAME.part, moved over the summary when whole: a study killed part-way leaves
  // the rows it finished, and never passes for a whole one.
  AppendingFile summary(summaryPath_);
  summary.append(table.header());
  ProgressLine progress(progressStream ? progressStream : stderr, base_->path, runCount(),
                        study_.findLb ? "cases" : "runs");
  std::uint64_t done = 0;
  runCases(
      cases, 0,
      // Figures are drawn in grid order as the runs are handed over, never by the runs'
      // threads: a PDF lists its fonts in the order the process first drew them.
      [&](std::uint64_t, StudyCase&& out) {
        summary.append(table.line(out.row));
        report.add(out.row, out.files);
        if (study_.keepRuns && out.row.succeeded && !options_.profileSteps.empty() &&
            out.row.record.stepCount() < *options_.profileSteps.rbegin())
          report.profileStepsUnreached(out.row.run);
        if (study_.keepRuns && figures) writeKeptRunFigures(out, stamp, report);
        if (figures) points.push_back(point(out, drawFamily));
        if (progressStream) progress.update(++done);
      },
      [&] {
        if (!progressStream) return;
        if (study_.findLb) progress.setDetail(std::to_string(cases.lengthsRun()) + " lengths run");
        progress.redraw();
      });
  progress.clear();
  summary.finish();
  report.addFile(summaryPath_);
  if (figures) writeFigures(points, stamp, drawFamily, report);
  return report.finish(summaryPath_);
}

std::vector<std::pair<std::string, Figure>> Study::figures(
    const std::vector<StudyPoint>& points, UnitSystem units,
    std::optional<std::size_t> against) const {
  const StudyFigureCase study{caseName(), static_cast<double>(base_->record.lb), options_.fy,
                              study_.lbMaxTenths, study_.codes.codes};
  auto drawn = studyFigures(study_.grid, points, study, units);
  const std::size_t count = study_.grid.entries().size();
  if (!against || *against + 1 >= count) return drawn;
  // The chosen entry goes last, as if it had been varied last; the family keeps its legend.
  const auto toEnd = [&](auto& list) {
    std::rotate(list.begin() + static_cast<std::ptrdiff_t>(*against),
                list.begin() + static_cast<std::ptrdiff_t>(*against) + 1, list.end());
  };
  std::vector<VariedEntry> entries = study_.grid.entries();
  toEnd(entries);
  std::vector<StudyPoint> moved = points;
  for (StudyPoint& point : moved) {
    toEnd(point.values);
    point.curve.clear();
  }
  auto redrawn = studyFigures(StudyGrid(std::move(entries)), moved, study, units);
  for (auto& [suffix, figure] : drawn)
    for (auto& [againSuffix, again] : redrawn)
      if (suffix != "load-slip" && suffix == againSuffix) figure = std::move(again);
  return drawn;
}

std::vector<double> Study::codeLengthsOf(const AnalysisParameters& p) const {
  std::vector<double> lengths;
  if (!study_.findLb) return lengths;
  const codes::AnchorageCase c = anchorageCaseOf(p, options_.fy.value_or(0), study_.codes.factors);
  for (const codes::DesignCode code : study_.codes.codes)
    lengths.push_back(codes::anchorageLength(code, c).length / codes::kMmPerCm);
  return lengths;
}

void Study::writeKeptRunFigures(const StudyCase& done, const LocalDateTime& stamp,
                                StudyReport& report) const {
  if (done.row.record.stepCount() == 0 || done.resultName.empty()) return;
  try {
    for (std::string& file :
         writeRunFigures(done.row.record, done.resultName,
                         {options_.figureFormats, options_.figureSize, options_.fy},
                         options_.profileSteps, options_.units, &stamp))
      report.addFile(std::move(file));
  } catch (const std::exception& error) {
    report.runFiguresFailed(base_->path + ": run " + std::to_string(done.row.run) + ": " +
                            error.what());
  }
}

void Study::writeFigures(const std::vector<StudyPoint>& points, const LocalDateTime& stamp,
                         bool drawFamily, StudyReport& report) const {
  if (!drawFamily)
    report.note(base_->path + ": the load-slip curves of " + std::to_string(runCount()) +
                " runs are not drawn; a figure takes " + std::to_string(kLargestFamily) +
                " at most");
  try {
    for (const auto& [suffix, figure] : figures(points, options_.units))
      for (const FigureFormat format : options_.figureFormats) {
        const std::string path = studyFigurePath(summaryPath_, suffix, format);
        std::string bytes = drawFigure(figure, format, options_.figureSize);
        stampCreationDate(bytes, format, stamp);
        writeFileAtomically(path, bytes);
        report.addFile(path);
      }
  } catch (const FileWriteError& error) {
    report.studyFiguresFailed(base_->path + ": " + error.what());
  } catch (const FigureModuleError& error) {
    report.studyFiguresFailed(base_->path + ": no study figure written: " + error.what());
  }
}

}  // namespace kvt
