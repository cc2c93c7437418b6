// SPDX-License-Identifier: MIT
#include "study_run_bar.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "batch/ordered_runs.h"

namespace kvt::ui {

namespace {

// "0:12" or "1:02:03": a duration as a clock shows it.
QString clockText(double seconds) {
  const auto whole = static_cast<long long>(seconds + 0.5);
  const QString rest = QString("%1:%2").arg(whole / 60 % 60).arg(whole % 60, 2, 10, QChar('0'));
  return whole >= 3600 ? QString("%1:%2").arg(whole / 3600).arg(rest.rightJustified(5, '0')) : rest;
}

}  // namespace

StudyRunBar::StudyRunBar(QWidget* parent) : QWidget(parent) {
  plan_ = new QLabel(this);
  plan_->setObjectName("planLabel");
  plan_->setWordWrap(true);
  bar_ = new QProgressBar(this);
  bar_->setObjectName("studyProgress");
  bar_->setTextVisible(false);
  status_ = new QLabel(this);
  status_->setObjectName("progressLabel");
  run_ = new QPushButton("&Run", this);
  run_->setObjectName("runButton");
  continue_ = new QPushButton("C&ontinue", this);
  continue_->setObjectName("continueButton");
  continue_->setToolTip("Goes on from the first run not yet done");
  cancel_ = new QPushButton("&Cancel", this);
  cancel_->setObjectName("cancelButton");
  jobs_ = new QSpinBox(this);
  jobs_->setObjectName("jobsBox");
  jobs_->setRange(0, 1024);
  jobs_->setSpecialValueText(QString("every core (%1)").arg(everyCore()));
  jobs_->setToolTip("How many runs go at a time, as kvt-batch's -j; the results are the same");
  connect(jobs_, &QSpinBox::valueChanged, this, &StudyRunBar::jobsChanged);
  connect(run_, &QPushButton::clicked, this, &StudyRunBar::runClicked);
  connect(continue_, &QPushButton::clicked, this, &StudyRunBar::continueClicked);
  connect(cancel_, &QPushButton::clicked, this, &StudyRunBar::cancelClicked);

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(plan_, 1);
  buttons->addWidget(new QLabel("Runs at a time", this));
  buttons->addWidget(jobs_);
  buttons->addWidget(run_);
  buttons->addWidget(continue_);
  buttons->addWidget(cancel_);
  auto* progress = new QHBoxLayout;
  progress->addWidget(bar_, 1);
  progress->addWidget(status_);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addLayout(buttons);
  layout->addLayout(progress);
  update();
}

void StudyRunBar::setJob(StudyJob* job) {
  if (job_) disconnect(job_, nullptr, this, nullptr);
  job_ = job;
  if (job) {
    connect(job, &StudyJob::progressed, this, &StudyRunBar::update);
    connect(job, &StudyJob::ended, this, &StudyRunBar::update);
  }
  update();
}

void StudyRunBar::setPlan(const QString& text, bool runnable) {
  plan_->setText(text);
  runnable_ = runnable;
  update();
}

void StudyRunBar::setContinuable(bool continuable) {
  continuable_ = continuable;
  update();
}

unsigned StudyRunBar::jobs() const {
  return static_cast<unsigned>(jobs_->value());
}

QString StudyRunBar::statusText() const {
  return status_->text();
}

void StudyRunBar::update() {
  const bool running = job_ && job_->isRunning();
  run_->setEnabled(runnable_ && !running);
  cancel_->setEnabled(running);
  continue_->setEnabled(!running && continuable_ && job_ &&
                        job_->state() == StudyJob::State::Cancelled);
  if (!job_) {
    bar_->setRange(0, 1);
    bar_->setValue(0);
    status_->clear();
    return;
  }
  // A progress bar counts in int; a grid may have more runs than that.
  const double share = job_->runCount() == 0 ? 1.0
                                             : static_cast<double>(job_->done()) /
                                                   static_cast<double>(job_->runCount());
  bar_->setRange(0, 1000);
  bar_->setValue(static_cast<int>(share * 1000));
  QString text = QString::fromStdString(job_->progressText());
  switch (job_->state()) {
    case StudyJob::State::Finished:
      text += ", done in " + clockText(job_->seconds());
      break;
    case StudyJob::State::Cancelled:
      text += ", cancelled";
      break;
    case StudyJob::State::Failed:
      text += ", failed: " + QString::fromStdString(job_->failure());
      break;
    case StudyJob::State::Ready:
    case StudyJob::State::Running:
      break;
  }
  status_->setText(text);
}

}  // namespace kvt::ui
