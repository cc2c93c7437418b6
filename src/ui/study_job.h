// SPDX-License-Identifier: MIT
//
// A parameter study run from a window, on kvt-batch's own engine (`Study`): the same cases, the
// same summary lines and the same figures. The cases run on every core from a worker thread and
// come back in grid order; the window takes them over in batches from its event loop, so that it
// never waits on a case. Of each case it keeps its row of numbers, its summary lines and what the
// figures need, never its whole record: a row opened later is run again (runs are
// deterministic), so memory stays small for a grid of any size.
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <array>
#include <atomic>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "batch/study_run.h"
#include "output/clock.h"
#include "params/box_texts.h"

namespace kvt::ui {

// What a study window asks to run: the options kvt-batch would be given.
struct StudyRequest {
  BatchOptions options;
  StudyOptions study;
};

// A case of the study as the window shows it: the numbers of its summary row (kgf, cm), and its
// summary line in kgf-cm and in SI.
struct StudyRow {
  std::uint64_t gridRun = 0;  // 0-based
  std::vector<std::string> values;
  bool succeeded = false;
  std::string outcome;  // "finished", or why not
  int steps = 0;
  double tauMax = 0, tauAvgMax = 0, PMax = 0;
  double peakLoadedEndSlip = 0, peakFreeEndSlip = 0, endSlip = 0;
  int peakStep = 0;
  double yieldForce = 0;
  std::optional<RequiredLength> required;
  std::vector<double> codeLengths;  // mm, of the design codes asked for, in their order
  std::array<std::string, 2> lines;
};

// The study's engine and what it refers to; runs opened from the study share it, so it lives
// until the last of them is done.
struct StudyEngine {
  StudyEngine(const ParameterEntries& base, StudyRequest given, const LocalDateTime& start);

  class StartClock final : public Clock {
   public:
    explicit StartClock(const LocalDateTime& at) : at_(at) {}
    LocalDateTime now() const override { return at_; }

   private:
    LocalDateTime at_;
  };

  StudyRequest request;
  StartClock clock;  // the study's start: the date of its PDF figures
  BoxTexts baseTexts;
  std::unique_ptr<Study> study;
};

class StudyJob : public QObject {
  Q_OBJECT

 public:
  enum class State { Ready, Running, Finished, Cancelled, Failed };

  StudyJob(const ParameterEntries& base, StudyRequest request, const Clock& clock,
           QObject* parent = nullptr);
  // Asks the study to stop and waits for the cases under way.
  ~StudyJob() override;

  // Runs the study from its first case, or on from the first case not yet taken over.
  void start();
  void resume();
  // Asks the study to stop: no further case starts, and those under way are dropped.
  void cancel();

  State state() const { return state_; }
  bool isRunning() const { return state_ == State::Running; }
  const std::string& failure() const { return failure_; }
  std::uint64_t runCount() const { return engine_->study->runCount(); }
  std::uint64_t done() const { return rows_.size(); }
  // Seconds spent running, over every part of the study.
  double seconds() const;
  std::uint64_t lengthsRun() const { return cases_.lengthsRun(); }
  // "37/200 runs, 12.3 runs/s, 0:14 left".
  std::string progressText() const;

  const std::vector<StudyRow>& rows() const { return rows_; }
  const std::vector<StudyPoint>& points() const { return points_; }
  std::shared_ptr<const StudyEngine> engine() const { return engine_; }
  const Study& study() const { return *engine_->study; }
  // The summary of the cases so far, as kvt-batch writes it in `units`.
  std::string summary(UnitSystem units) const;

 signals:
  // Rows [first, first + count) were added.
  void rowsAdded(int first, int count);
  // The count, rate or time left changed.
  void progressed();
  // The study finished, was cancelled or failed.
  void ended();

 private:
  void run(std::uint64_t first);
  void take(StudyCase&& done);  // on the worker thread
  void takeOver();              // on the window's thread
  void workerEnded();

  std::shared_ptr<StudyEngine> engine_;
  StudyCaseRunner cases_;
  std::array<SummaryTable, 2> tables_;
  State state_ = State::Ready;
  std::string failure_;
  std::vector<StudyRow> rows_;
  std::vector<StudyPoint> points_;

  std::jthread worker_;
  std::atomic<bool> stop_ = false;
  std::mutex mutex_;  // guards the two below
  std::vector<StudyRow> arrivedRows_;
  std::vector<StudyPoint> arrivedPoints_;
  std::string workerFailure_;

  QTimer takeOverTimer_;
  QElapsedTimer elapsed_;
  double earlierSeconds_ = 0;  // of the parts before a resume
};

}  // namespace kvt::ui
