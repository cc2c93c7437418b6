// SPDX-License-Identifier: MIT
#include "study_job.h"

#include <exception>
#include <utility>

#include "batch/code_lengths.h"
#include "batch/progress_line.h"

namespace kvt::ui {

namespace {

// How often the window takes over the cases that have come back: often enough that the table
// grows smoothly, seldom enough that a fast study does not flood the event loop.
constexpr int kTakeOverMs = 100;

std::size_t unitIndex(UnitSystem units) {
  return units == UnitSystem::SI ? 1 : 0;
}

StudyRow rowOf(const StudyCase& done, const StudyRequest& request,
               const std::array<SummaryTable, 2>& tables) {
  const SummaryRow& summary = done.row;
  const RunRecord& run = summary.record;
  StudyRow row;
  row.gridRun = summary.run - 1;
  row.values = summary.values;
  row.succeeded = summary.succeeded && run.stepCount() > 0;
  row.outcome = row.succeeded ? "finished" : summary.error;
  row.steps = run.stepCount();
  if (row.succeeded) {
    const LoadSlipRow& peak = *run.row(run.peakStep());
    row.tauMax = run.tauMax();
    row.tauAvgMax = run.tauAvgMax();
    row.PMax = run.PMax();
    row.peakLoadedEndSlip = peak.loadedEndSlip;
    row.peakFreeEndSlip = peak.s0;
    row.peakStep = run.peakStep();
    row.endSlip = run.rows().back().loadedEndSlip;
  }
  row.yieldForce = summary.yieldForce;
  row.required = summary.required;
  const StudyOptions& study = request.study;
  if (study.findLb && !study.codes.codes.empty()) {
    // The case the run was made with, whatever became of its run, as the summary reads it; in
    // mm, as the summary rounds them.
    const codes::AnchorageCase c =
        anchorageCaseOf(run.parameters(), request.options.fy.value_or(0), study.codes.factors);
    for (const codes::DesignCode code : study.codes.codes)
      row.codeLengths.push_back(codes::anchorageLength(code, c).length);
  }
  for (std::size_t k = 0; k < tables.size(); ++k)
    row.lines[k] = tables[k].line(summary);
  return row;
}

}  // namespace

StudyEngine::StudyEngine(const ParameterEntries& base, StudyRequest given,
                         const LocalDateTime& start)
    : request(std::move(given)), clock(start), baseTexts(base.texts()) {
  study = Study::ofEntries(base, request.options, request.study);
}

StudyJob::StudyJob(const ParameterEntries& base, StudyRequest request, const Clock& clock,
                   QObject* parent)
    : QObject(parent),
      engine_(std::make_shared<StudyEngine>(base, std::move(request), clock.now())),
      cases_(engine_->study->caseRunner(engine_->clock)),
      tables_{engine_->study->summaryTable(UnitSystem::KgfCm),
              engine_->study->summaryTable(UnitSystem::SI)} {
  takeOverTimer_.setInterval(kTakeOverMs);
  connect(&takeOverTimer_, &QTimer::timeout, this, &StudyJob::takeOver);
}

StudyJob::~StudyJob() {
  stop_ = true;
  if (worker_.joinable()) worker_.join();
}

void StudyJob::start() {
  if (isRunning()) return;
  rows_.clear();
  points_.clear();
  earlierSeconds_ = 0;
  run(0);
}

void StudyJob::resume() {
  if (isRunning()) return;
  run(rows_.size());
}

void StudyJob::cancel() {
  stop_ = true;
}

void StudyJob::run(std::uint64_t first) {
  worker_ = {};  // the last part's thread, long ended
  stop_ = false;
  failure_.clear();
  state_ = State::Running;
  elapsed_.start();
  takeOverTimer_.start();
  worker_ = std::jthread([this, first] {
    try {
      engine_->study->runCases(
          cases_, first, [this](std::uint64_t, StudyCase&& done) { take(std::move(done)); }, {},
          [this] { return stop_.load(); });
    } catch (const std::exception& error) {
      const std::lock_guard lock(mutex_);
      workerFailure_ = error.what();
    }
    QMetaObject::invokeMethod(this, &StudyJob::workerEnded, Qt::QueuedConnection);
  });
  emit progressed();
}

void StudyJob::take(StudyCase&& done) {
  StudyRow row = rowOf(done, engine_->request, tables_);
  StudyPoint point = engine_->study->point(done, engine_->study->drawsFamily());
  const std::lock_guard lock(mutex_);
  arrivedRows_.push_back(std::move(row));
  arrivedPoints_.push_back(std::move(point));
}

void StudyJob::takeOver() {
  std::vector<StudyRow> arrived;
  std::vector<StudyPoint> points;
  {
    const std::lock_guard lock(mutex_);
    arrived.swap(arrivedRows_);
    points.swap(arrivedPoints_);
  }
  if (!arrived.empty()) {
    const auto first = static_cast<int>(rows_.size());
    for (StudyRow& row : arrived)
      rows_.push_back(std::move(row));
    for (StudyPoint& point : points)
      points_.push_back(std::move(point));
    emit rowsAdded(first, static_cast<int>(arrived.size()));
  }
  emit progressed();
}

void StudyJob::workerEnded() {
  if (worker_.joinable()) worker_.join();
  takeOverTimer_.stop();
  takeOver();
  earlierSeconds_ += static_cast<double>(elapsed_.elapsed()) / 1000.0;
  elapsed_.invalidate();
  {
    const std::lock_guard lock(mutex_);
    failure_ = std::exchange(workerFailure_, {});
  }
  if (!failure_.empty()) {
    state_ = State::Failed;
  } else {
    state_ = done() < runCount() ? State::Cancelled : State::Finished;
  }
  emit ended();
}

double StudyJob::seconds() const {
  return earlierSeconds_ +
         (elapsed_.isValid() ? static_cast<double>(elapsed_.elapsed()) / 1000.0 : 0.0);
}

std::string StudyJob::progressText() const {
  const bool cases = engine_->request.study.findLb;
  const std::string detail = cases ? std::to_string(lengthsRun()) + " lengths run" : "";
  if (!isRunning())
    return ProgressLine::countText(done(), runCount(), cases ? "cases" : "runs", 0, detail);
  return ProgressLine::countText(done(), runCount(), cases ? "cases" : "runs", seconds(), detail);
}

std::string StudyJob::summary(UnitSystem units) const {
  std::string text = tables_[unitIndex(units)].header();
  for (const StudyRow& row : rows_)
    text += row.lines[unitIndex(units)];
  return text;
}

}  // namespace kvt::ui
