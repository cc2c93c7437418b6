// SPDX-License-Identifier: MIT
#include "study_window.h"

#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QLineEdit>
#include <QVBoxLayout>

#include "study_grid_editor.h"
#include "study_launcher.h"
#include "study_results_view.h"
#include "study_run_bar.h"
#include "ui_style.h"
#include "window_placement.h"

namespace kvt::ui {

namespace {

// Every entry kvt-batch's --vary takes, in the order of the parameter window's frames.
std::vector<std::string> variedNames() {
  return {"lb", "bar", "db",   "Ab", "phi",  "sigmaB",   "sigmaT", "Ec", "Es", "pw",
          "C1", "C2",  "tauU", "su", "beta", "cotAlpha", "deltaL", "ru", "ds", "reductionFactor"};
}

}  // namespace

StudyWindow::StudyWindow(StudyHost host, QWidget* parent)
    : QWidget(parent, Qt::Window), host_(std::move(host)) {
  setObjectName("StudyWindow");
  setWindowTitle("KVT Study");
  useDesignPalette(*this);
  buildLayout();
  launcher_ = new StudyLauncher(host_, *runBar_, *results_, this);
  connect(editor_, &StudyGridEditor::changed, this, &StudyWindow::updatePlan);
  connect(runBar_, &StudyRunBar::jobsChanged, this, &StudyWindow::updatePlan);
  connect(runBar_, &StudyRunBar::runClicked, this, &StudyWindow::run);
  connect(runBar_, &StudyRunBar::continueClicked, this, &StudyWindow::resume);
  connect(runBar_, &StudyRunBar::cancelClicked, this, &StudyWindow::cancel);
  editor_->addEntry("lb", "");
  // The window opens ready for lb's values to be typed.
  editor_->valuesBox(0)->setFocus();
  updatePlan();
  resize(1000, 720);
  centreOnScreen(*this);
}

StudyWindow::~StudyWindow() = default;

void StudyWindow::buildLayout() {
  auto* entries =
      new QGroupBox("Entries to vary, the parameter window's entries as the base case", this);
  editor_ = new StudyGridEditor(variedNames(), entries);
  auto* setupLayout = new QVBoxLayout(entries);
  setupLayout->addWidget(editor_);

  runBar_ = new StudyRunBar(this);
  results_ = new StudyResultsView(host_, this);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(entries);
  layout->addWidget(runBar_);
  layout->addWidget(results_, 1);
}

StudyJob* StudyWindow::job() const {
  return launcher_->job();
}

std::string StudyWindow::setup() const {
  return std::to_string(runBar_->jobs()) + editor_->setupText();
}

void StudyWindow::updatePlan() {
  const auto grid = editor_->grid();
  if (const auto* problem = std::get_if<std::string>(&grid)) {
    runBar_->setPlan(QString::fromStdString(*problem), false);
  } else if (std::get<StudyGrid>(grid).entries().empty()) {
    runBar_->setPlan("Add an entry to vary", false);
  } else {
    runBar_->setPlan(editor_->planText(std::get<StudyGrid>(grid), "run"), true);
  }
  launcher_->setupChanged(setup());
}

void StudyWindow::run() {
  auto grid = editor_->grid();
  if (!std::holds_alternative<StudyGrid>(grid) || std::get<StudyGrid>(grid).entries().empty())
    return;
  StudyRequest request;
  request.options.jobs = runBar_->jobs();
  request.study.grid = std::move(std::get<StudyGrid>(grid));
  launcher_->run(std::move(request), setup());
}

void StudyWindow::resume() {
  launcher_->resume();
}

void StudyWindow::cancel() {
  launcher_->cancel();
}

void StudyWindow::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  // Back from the parameter window: its entries may have changed since the study ran.
  if (event->type() == QEvent::ActivationChange && isActiveWindow()) updatePlan();
}

}  // namespace kvt::ui
