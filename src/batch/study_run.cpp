// SPDX-License-Identifier: MIT
#include "study_run.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <stdexcept>
#include <utility>

#include "batch_figures.h"
#include "figure_loader.h"
#include "files/atomic_write.h"
#include "files/full_path.h"
#include "files/link_policy.h"
#include "ordered_runs.h"
#include "params/format_number.h"
#include "progress_line.h"
#include "required_length.h"
#include "study_figures.h"
#include "summary_table.h"

namespace kvt {

namespace {

constexpr int kLbBox = 6;

// Every file of a study carries the moment the study started, so the outputs do not depend on
// when each run happened to be scheduled.
class FrozenClock final : public Clock {
 public:
  explicit FrozenClock(const Clock& clock) : now_(clock.now()) {}
  LocalDateTime now() const override { return now_; }

 private:
  LocalDateTime now_;
};

// The summary, written row by row under a ".part" name and renamed once it is whole. The target
// is found through the same link rule as every other output, and the ".part" file itself is never
// opened through a link: in a shared folder anyone could have planted one under that name.
class SummaryWriter {
 public:
  explicit SummaryWriter(const std::string& path) {
    std::error_code refused;
    path_ = followLinksForWriting(path, refused);
    partPath_ = path_ + ".part";
    if (refused) fail("cannot be created", refused.message());
    const int fd = ::open(partPath_.c_str(),
                          O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOCTTY | O_NOFOLLOW, 0666);
    if (fd < 0 || !(file_ = ::fdopen(fd, "wb"))) {
      const int error = errno;
      if (fd >= 0) ::close(fd);
      fail("cannot be created", std::strerror(error));
    }
  }
  ~SummaryWriter() {
    if (file_) std::fclose(file_);
  }
  SummaryWriter(const SummaryWriter&) = delete;
  SummaryWriter& operator=(const SummaryWriter&) = delete;

  void write(const std::string& text) {
    if (std::fwrite(text.data(), 1, text.size(), file_) != text.size() || std::fflush(file_) != 0)
      fail("cannot be written", std::strerror(errno));
  }
  void finish() {
    std::FILE* file = std::exchange(file_, nullptr);
    if (std::fclose(file) != 0) fail("cannot be written", std::strerror(errno));
    if (std::rename(partPath_.c_str(), path_.c_str()) != 0)
      fail("cannot be renamed", std::strerror(errno));
  }

 private:
  [[noreturn]] void fail(const char* what, const std::string& reason) const {
    throw std::runtime_error("the summary " + fullPath(partPath_) + " " + what + ": " + reason);
  }
  std::string path_;
  std::string partPath_;
  std::FILE* file_ = nullptr;
};

struct RunRow {
  SummaryRow row;
  AnalysisParameters parameters;  // as committed, for the run's figures
  RunStart start;
  std::vector<std::string> files;
  std::vector<LoadSlipRow> curve;
};

std::string forceText(double kgf, UnitSystem units) {
  return formatNumber(inUnits(kgf, Quantity::Force, units),
                      units == UnitSystem::SI ? "##0.00" : "####0") +
         " " + std::string(unitName(Quantity::Force, units));
}

}  // namespace

struct Study::Base {
  std::string path;
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

std::variant<std::unique_ptr<Study>, std::string> Study::prepare(const std::string& baseFile,
                                                                 const BatchOptions& options,
                                                                 const StudyOptions& study) {
  auto base = std::make_unique<Base>();
  base->path = baseFile;
  if (auto error = loadForBatch(baseFile, base->entries)) return *error;
  return std::unique_ptr<Study>(new Study(std::move(base), options, study));
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

StudyResult Study::run(const Clock& systemClock, std::FILE* progressStream) const {
  const FrozenClock clock(systemClock);
  const StudyGrid& grid = study_.grid;
  const SummaryTable table(grid, options_.units,
                           study_.findLb ? std::optional(study_.lbMaxTenths) : std::nullopt);
  const double fyKgf = options_.units == UnitSystem::SI
                           ? study_.fy / unitFactor(Quantity::Stress, UnitSystem::SI)
                           : study_.fy;

  // The entries of one case: the base file's, with the run's values typed in (and a length for
  // the search), committed as "Execute" commits them.
  const auto prepareCase = [&](std::uint64_t run, ParameterEntries& entries,
                               const std::string* lb) -> std::optional<std::string> {
    if (auto error = grid.enter(run, entries)) return error->message;
    if (lb) {
      entries.setText(kLbBox, "");
      if (auto error = entries.setText(kLbBox, *lb)) return error->message;
    }
    return commitForRun(entries, options_);
  };

  const bool figures = !options_.figureFormats.empty();
  const bool drawFamily = figures && runCount() <= kLargestFamily;
  std::vector<StudyPoint> points;

  const auto work = [&](std::uint64_t k) {
    const std::uint64_t run = gridRun(k);
    RunRow out;
    SummaryRow& row = out.row;
    row.run = run + 1;
    row.values = grid.values(run);
    AnalysisParameters record;
    ParameterEntries entries(record, base_->entries);
    if (auto error = prepareCase(run, entries, nullptr)) {
      row.error = *error;
    } else {
      RunWrites writes;
      writes.resultFile = study_.keepRuns;
      if (study_.keepRuns) {
        record.resultFilePath = besideResultFile(
            baseResultFile_, (grid.entries().empty() ? "" : grid.tag(run) + ".") + "T-S");
        writes.loadSlipCsv = options_.loadSlipCsv;
        writes.profileSteps = options_.profileSteps;
        writes.units = options_.units;
      }
      // Figures are drawn in grid order as the runs are handed over, never by the runs' threads:
      // a PDF lists its fonts in the order the process first drew them.
      writes.keepCurve = drawFamily || (study_.keepRuns && figures);
      RunOutcome outcome = runRecord(record, writes, clock);
      row.succeeded = outcome.succeeded;
      row.error = std::move(outcome.error);
      row.summary = outcome.summary;
      out.files = std::move(outcome.files);
      out.curve = std::move(outcome.curve);
      out.start = outcome.start;
      out.parameters = record;
    }
    if (study_.findLb) {
      row.yieldForce = fyKgf * static_cast<double>(record.Ab);
      row.required = findRequiredLength(
          row.yieldForce, study_.lbMaxTenths, [&](int tenths) -> std::variant<double, std::string> {
            AnalysisParameters trial;
            ParameterEntries trialEntries(trial, base_->entries);
            const std::string lb = lengthText(tenths);
            if (auto error = prepareCase(run, trialEntries, &lb)) return *error;
            RunWrites nothing;
            nothing.resultFile = false;
            const RunOutcome outcome = runRecord(trial, nothing, clock);
            if (!outcome.succeeded) return outcome.error;
            return outcome.summary.PMax;
          });
    }
    return out;
  };

  StudyResult result;
  SummaryWriter summary(summaryPath_);
  summary.write(table.header());
  ProgressLine progress(progressStream ? progressStream : stderr, base_->path, runCount(),
                        study_.findLb ? "cases" : "runs");
  std::uint64_t done = 0, finished = 0;
  std::vector<std::uint64_t> failed;  // runs whose run or search failed
  std::optional<SummaryRow> single;
  bool figuresFailed = false;
  const LocalDateTime stamp = clock.now();
  runInOrder<RunRow>(
      runCount(), options_.jobs == 0 ? everyCore() : options_.jobs, work,
      [&](std::uint64_t, RunRow&& out) {
        summary.write(table.line(out.row));
        const bool searchFailed =
            out.row.required && out.row.required->kind == RequiredLength::Kind::Failed;
        if (out.row.succeeded && !searchFailed) {
          ++finished;
        } else {
          failed.push_back(out.row.run);
        }
        result.files.insert(result.files.end(), out.files.begin(), out.files.end());
        if (runCount() == 1) single = out.row;
        if (study_.keepRuns && figures && !out.curve.empty() && !out.files.empty()) {
          try {
            const RunRecord run{out.parameters, out.start, out.curve};
            for (std::string& file : writeRunFigures(run, out.files.front(), options_.figureFormats,
                                                     options_.profileSteps, options_.units, &stamp))
              result.files.push_back(std::move(file));
          } catch (const std::exception& error) {
            if (!figuresFailed)
              result.errors.push_back(base_->path + ": run " + std::to_string(out.row.run) + ": " +
                                      error.what());
            figuresFailed = true;
          }
        }
        if (figures)
          points.push_back({std::move(out.row.values), out.row.succeeded, out.row.summary.PMax,
                            out.row.required,
                            drawFamily ? std::move(out.curve) : std::vector<LoadSlipRow>()});
        if (progressStream) progress.update(++done);
      },
      [&] {
        if (progressStream) progress.redraw();
      });
  progress.clear();
  summary.finish();
  result.files.push_back(summaryPath_);
  if (figures) {
    if (!drawFamily)
      result.errors.push_back(base_->path + ": the load-slip curves of " +
                              std::to_string(runCount()) + " runs are not drawn; a figure takes " +
                              std::to_string(kLargestFamily) + " at most");
    if (auto error = writeFigures(points, stamp, result.files)) {
      result.errors.push_back(base_->path + ": " + *error);
      figuresFailed = true;
    }
  }

  std::string message = base_->path + ": ";
  if (single && single->required && single->required->kind == RequiredLength::Kind::Found) {
    const RequiredLength& r = *single->required;
    message += "required lb " + lengthText(r.tenths) + " cm: Pbumax " +
               forceText(r.PMax, options_.units) +
               " reaches fy·Ab = " + forceText(single->yieldForce, options_.units);
    if (r.shorterTenths > 0)
      message += ", " + lengthText(r.shorterTenths) + " cm gives " +
                 forceText(r.shorterPMax, options_.units);
  } else if (single && single->required &&
             single->required->kind == RequiredLength::Kind::NotReached) {
    message += "fy·Ab = " + forceText(single->yieldForce, options_.units) + " not reached up to " +
               lengthText(study_.lbMaxTenths) + " cm";
  } else {
    message += std::to_string(runCount()) + (runCount() == 1 ? " run, " : " runs, ") +
               std::to_string(finished) + " finished";
  }
  result.message = message + " → " + summaryPath_;

  if (!failed.empty()) {
    std::string list;
    for (std::size_t k = 0; k < failed.size() && k < 5; ++k)
      list += (k == 0 ? "" : ", ") + std::to_string(failed[k]);
    if (failed.size() > 5) list += ", …";
    result.errors.push_back(base_->path + ": " + std::to_string(failed.size()) + " of " +
                            std::to_string(runCount()) + " runs failed (run " + list +
                            "); the outcome column of " + summaryPath_ + " says why");
  }
  result.succeeded = failed.empty() && !figuresFailed;
  return result;
}

std::optional<std::string> Study::writeFigures(const std::vector<StudyPoint>& points,
                                               const LocalDateTime& stamp,
                                               std::vector<std::string>& written) const {
  const std::string& comment = base_->record.comment;
  const std::string name = comment.empty() || comment == ParameterEntries::kCommentPrompt
                               ? std::filesystem::path(base_->path).filename().string()
                               : comment;
  const std::string stem = summaryPath_.ends_with(".csv")
                               ? summaryPath_.substr(0, summaryPath_.size() - 4)
                               : summaryPath_;
  try {
    for (const auto& [suffix, figure] : studyFigures(study_.grid, points, name, options_.units))
      for (const FigureFormat format : options_.figureFormats) {
        const std::string path = stem + "." + suffix + "." + std::string(figureExtension(format));
        std::string bytes = drawFigure(figure, format);
        stampCreationDate(bytes, format, stamp);
        writeFileAtomically(path, bytes);
        written.push_back(path);
      }
  } catch (const FileWriteError& error) {
    return error.what();
  } catch (const FigureModuleError& error) {
    return std::string("no study figure written: ") + error.what();
  }
  return std::nullopt;
}

}  // namespace kvt
