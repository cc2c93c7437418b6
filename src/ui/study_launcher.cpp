// SPDX-License-Identifier: MIT
#include "study_launcher.h"

#include "batch/batch_command_line.h"
#include "study_results_view.h"
#include "study_run_bar.h"

namespace kvt::ui {

StudyLauncher::StudyLauncher(StudyHost& host, StudyRunBar& runBar, StudyResultsView& results,
                             QObject* parent)
    : QObject(parent), host_(host), runBar_(runBar), results_(results) {}

LawEntries StudyLauncher::law() const {
  return host_.law ? host_.law() : LawEntries{};
}

std::string StudyLauncher::keyOf(const std::string& setup) const {
  std::string key = setup + '\n' + lawSummary(law());
  for (const std::string& text : host_.entries.texts().text)
    key += '\n' + text;
  return key;
}

void StudyLauncher::run(StudyRequest request, const std::string& setup) {
  if (job_ && job_->isRunning()) return;
  const std::uint64_t runs = request.study.grid.size();
  if (runs > kLargestGridWithoutYes &&
      !host_.prompt.question(
          "KVT", "The study has " +
                     (runs == UINT64_MAX ? std::string("too many") : std::to_string(runs)) +
                     " runs. Run them all?"))
    return;
  request.options.law = law();
  // The last study goes with its results; the runs opened from it keep its engine.
  delete job_;
  job_ = new StudyJob(host_.entries, std::move(request), host_.clock, this);
  jobKey_ = keyOf(setup);
  setup_ = setup;
  runBar_.setJob(job_);
  results_.setJob(job_);
  connect(job_, &StudyJob::ended, this, [this] { setupChanged(setup_); });
  job_->start();
  setupChanged(setup);
}

void StudyLauncher::resume() {
  if (!job_ || job_->state() != StudyJob::State::Cancelled) return;
  if (keyOf(setup_) != jobKey_) {
    setupChanged(setup_);
    host_.prompt.warning("KVT",
                         "The entries have changed since the study started, so it cannot go on "
                         "where it stopped. \"Run\" starts it afresh.");
    return;
  }
  job_->resume();
}

void StudyLauncher::cancel() {
  if (job_) job_->cancel();
}

void StudyLauncher::setupChanged(const std::string& setup) {
  setup_ = setup;
  runBar_.setContinuable(job_ && keyOf(setup) == jobKey_);
}

}  // namespace kvt::ui
