// SPDX-License-Identifier: MIT
#include "results_window.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QSlider>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <filesystem>

#include "analysis/bar_yield.h"
#include "converged_overlay.h"
#include "error/error.h"
#include "figure_saving.h"
#include "figure_view.h"
#include "figures/figure_render.h"
#include "figures/report_figures.h"
#include "graph_export.h"
#include "output/csv_export.h"
#include "ui_style.h"
#include "window_placement.h"

namespace kvt::ui {

namespace {

constexpr std::array kTabTitles = {"Load–slip", "τ-s", "Distribution", "Bond law"};
constexpr std::array kFigureNames = {"load-slip", "tau-slip", "profile", "bond-law"};

std::size_t index(ResultsWindow::Tab tab) {
  return static_cast<std::size_t>(tab);
}

}  // namespace

ResultsWindow::ResultsWindow(std::shared_ptr<const RunRecord> run, UserPrompt& prompt,
                             QWidget* parent)
    : QWidget(parent), run_(std::move(run)), prompt_(prompt) {
  setObjectName("ResultsWindow");
  setAttribute(Qt::WA_DeleteOnClose);
  // A run with another law than kvt's own says which in the title; its figures name its entries.
  std::string title =
      run_->caseName().empty() ? "KVT Results" : "KVT Results - " + run_->caseName();
  if (!isKvtLaw(run_->law())) title += " (" + describeLaw(run_->law()).front().value + " law)";
  setWindowTitle(QString::fromStdString(title));
  // Light like the program's other windows; the figures themselves are white paper anyway.
  useDesignPalette(*this);
  buildLayout();
  // A report figure's proportions, as large as fits comfortably on the screen.
  QSize size(960, 680);
  if (const QScreen* screen = QGuiApplication::primaryScreen())
    size = size.boundedTo(screen->availableGeometry().size() * 0.9);
  resize(size);
  centreOnScreen(*this);
  present();
}

ResultsWindow::~ResultsWindow() = default;

void ResultsWindow::buildLayout() {
  tabs_ = new QTabWidget(this);
  tabs_->setObjectName("figureTabs");
  for (std::size_t k = 0; k < views_.size(); ++k) {
    views_[k] = new FigureView(tabs_);
    tabs_->addTab(views_[k], kTabTitles[k]);
  }
  connect(tabs_, &QTabWidget::currentChanged, this,
          [this](int tab) { refresh(static_cast<Tab>(tab)); });

  slider_ = new QSlider(Qt::Horizontal, this);
  slider_->setObjectName("stepSlider");
  spin_ = new QSpinBox(this);
  spin_->setObjectName("stepBox");
  connect(slider_, &QSlider::valueChanged, this, &ResultsWindow::chooseStep);
  connect(spin_, &QSpinBox::valueChanged, this, &ResultsWindow::chooseStep);

  unitsBox_ = new QComboBox(this);
  unitsBox_->setObjectName("unitsBox");
  unitsBox_->addItem("kgf-cm");
  unitsBox_->addItem("SI (kN, mm, MPa)");
  connect(unitsBox_, &QComboBox::currentIndexChanged, this,
          [this](int chosen) { setUnits(chosen == 1 ? UnitSystem::SI : UnitSystem::KgfCm); });

  figureSizeBox_ = newFigureSizeBox(this);
  saveFigure_ = new QPushButton("Save figure…", this);
  saveFigure_->setObjectName("saveFigureButton");
  saveData_ = new QPushButton("Save data…", this);
  saveData_->setObjectName("saveDataButton");
  connect(saveFigure_, &QPushButton::clicked, this, [this] { askAndSave(true); });
  connect(saveData_, &QPushButton::clicked, this, [this] { askAndSave(false); });

  buildStatusControls();

  auto* controls = new QHBoxLayout;
  controls->addWidget(new QLabel("Step", this));
  controls->addWidget(slider_, 1);
  controls->addWidget(spin_);
  controls->addSpacing(12);
  controls->addWidget(new QLabel("Units", this));
  controls->addWidget(unitsBox_);
  controls->addSpacing(12);
  controls->addWidget(figureSizeBox_);
  controls->addWidget(saveFigure_);
  controls->addWidget(saveData_);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(tabs_, 1);
  layout->addLayout(controls);
  auto* statusLine = new QHBoxLayout;
  statusLine->addWidget(status_, 1);
  statusLine->addWidget(convergedNote_);
  statusLine->addWidget(convergedSwitch_);
  layout->addLayout(statusLine);
  layout->addWidget(barNote_);
}

void ResultsWindow::buildStatusControls() {
  status_ = new QLabel(this);
  status_->setObjectName("statusLabel");
  barNote_ = new QLabel(this);
  barNote_->setObjectName("barNoteLabel");
  barNote_->setWordWrap(true);
  barNote_->setStyleSheet("color: #C00000");
  barNote_->hide();

  convergedSwitch_ = new QCheckBox("&Converged", this);
  convergedSwitch_->setObjectName("convergedSwitch");
  convergedSwitch_->setToolTip(
      "Lays the converged analysis over the load–slip and τ-s curves: the same bar and law "
      "solved over lb itself to 1e-7, where the run marches over whole segments of Δl. It is "
      "computed beside the run, on a thread of its own.");
  convergedNote_ = new QLabel(this);
  convergedNote_->setObjectName("convergedLabel");
  overlay_ = new ConvergedOverlay(*run_, this);
  connect(convergedSwitch_, &QCheckBox::toggled, this, &ResultsWindow::showConverged);
  connect(overlay_, &ConvergedOverlay::ready, this, [this] { showConverged(true); });
}

void ResultsWindow::markStale() {
  stale_.fill(true);
}

std::string ResultsWindow::stateText() const {
  switch (run_->outcome()) {
    case RunRecord::Outcome::Running:
      return "running";
    case RunRecord::Outcome::Finished:
      return "finished";
    case RunRecord::Outcome::Cancelled:
      return "stopped";
    case RunRecord::Outcome::StepLimit:
    case RunRecord::Outcome::Failed:
      break;
  }
  return "failed: " + run_->failure();
}

void ResultsWindow::present() {
  if (run_->stepCount() != shownSteps_) {
    shownSteps_ = run_->stepCount();
    markStale();
  }
  updateSelector();
  updateStatus();
  updateConvergedNote();
  refresh(currentTab());
}

void ResultsWindow::showConverged(bool shown) {
  if (shown && !convergedSwitch_->isChecked()) return;  // came while the switch was off
  if (shown) overlay_->start();
  for (const Tab tab : {Tab::LoadSlip, Tab::TauSlip})
    stale_[index(tab)] = true;
  updateConvergedNote();
  refresh(currentTab());
}

void ResultsWindow::updateConvergedNote() {
  const bool shown = convergedSwitch_->isChecked();
  convergedNote_->setVisible(shown);
  if (shown) convergedNote_->setText(QString::fromStdString(overlay_->comparison(*run_)));
}

int ResultsWindow::selectedStep() const {
  return followPeak_ ? run_->peakStep() : chosenStep_;
}

void ResultsWindow::selectStep(int step) {
  chooseStep(step);
  updateSelector();
}

// A step chosen with the slider or the box: the load–slip and τ-s markers move, and the
// distribution of that step is drawn.
void ResultsWindow::chooseStep(int step) {
  if (!run_->row(step) || step == selectedStep()) return;
  followPeak_ = false;
  chosenStep_ = step;
  for (const Tab tab : {Tab::LoadSlip, Tab::TauSlip, Tab::Distribution})
    stale_[index(tab)] = true;
  updateSelector();
  refresh(currentTab());
}

void ResultsWindow::updateSelector() {
  const int steps = run_->stepCount();
  const QSignalBlocker blockSlider(slider_);
  const QSignalBlocker blockSpin(spin_);
  slider_->setRange(std::min(1, steps), steps);
  spin_->setRange(std::min(1, steps), steps);
  slider_->setValue(selectedStep());
  spin_->setValue(selectedStep());
  slider_->setEnabled(steps > 0);
  spin_->setEnabled(steps > 0);
}

void ResultsWindow::updateStatus() {
  const int peak = run_->peakStep();
  std::string text = std::to_string(run_->stepCount()) + " steps, " + stateText();
  if (const LoadSlipRow* r = run_->row(peak))
    text += "; Pbumax " + labelNumber(inUnits(r->loadedEndForce, Quantity::Force, units_)) + " " +
            unitSymbol(Quantity::Force, units_) + " at step " + std::to_string(peak);
  status_->setText(QString::fromStdString(text));
  // The analysis takes the bar as elastic: a Pbumax no deformed bar could carry is said at once.
  const auto note = elasticBarNote(*run_, units_);
  barNote_->setVisible(note.has_value());
  if (note) barNote_->setText("Note: " + QString::fromStdString(*note) + ".");
}

void ResultsWindow::setUnits(UnitSystem units) {
  if (units == units_) return;
  units_ = units;
  {
    const QSignalBlocker block(unitsBox_);
    unitsBox_->setCurrentIndex(units == UnitSystem::SI ? 1 : 0);
  }
  markStale();
  present();
}

ResultsWindow::Tab ResultsWindow::currentTab() const {
  return static_cast<Tab>(tabs_->currentIndex());
}

void ResultsWindow::showTab(Tab tab) {
  tabs_->setCurrentIndex(static_cast<int>(index(tab)));
}

FigureView* ResultsWindow::view(Tab tab) const {
  return views_[index(tab)];
}

void ResultsWindow::refresh(Tab tab) {
  if (!stale_[index(tab)]) return;
  stale_[index(tab)] = false;
  view(tab)->setFigure(figure(tab));
}

const std::vector<SectionRow>& ResultsWindow::sectionsOf(int step) const {
  if (step != sectionsStep_) {
    sectionsStep_ = step;
    try {
      sections_ = run_->sections(step);
    } catch (const Error&) {
      sections_.clear();  // a finished step marches again as it did; nothing to draw otherwise
    }
  }
  return sections_;
}

Figure ResultsWindow::figure(Tab tab) const {
  // The chosen step gets a marker of its own only where the peak's does not already mark it.
  const int step = selectedStep();
  const int marked = step == run_->peakStep() ? 0 : step;
  switch (tab) {
    case Tab::LoadSlip:
    case Tab::TauSlip: {
      const bool loadSlip = tab == Tab::LoadSlip;
      Figure shown =
          loadSlip ? loadSlipFigure(*run_, units_, marked) : tauSlipFigure(*run_, units_, marked);
      if (convergedSwitch_->isChecked()) overlay_->addTo(shown, loadSlip, units_);
      return shown;
    }
    case Tab::Distribution:
      return profileFigure(*run_, step, sectionsOf(step), units_);
    case Tab::BondLaw:
      return bondLawFigure(*run_, units_);
  }
  return {};
}

std::string ResultsWindow::baseName() const {
  const std::string& file = run_->source().file;
  return file.empty() ? "default" : std::filesystem::path(file).stem().string();
}

void ResultsWindow::askAndSave(bool figureFile) {
  const Tab tab = currentTab();
  std::string suggested = baseName();
  if (figureFile) {
    suggested += "." + std::string(kFigureNames[index(tab)]) +
                 (tab == Tab::Distribution ? ".step" + std::to_string(selectedStep()) : "") +
                 ".png";
  } else {
    suggested +=
        tab == Tab::Distribution ? ".step" + std::to_string(selectedStep()) + ".csv" : ".csv";
  }
  const std::string path = askSavePath(prompt_, figureFile, suggested);
  if (path.empty()) return;
  if (figureFile)
    saveFigure(path);
  else
    saveData(path);
}

FigureSize ResultsWindow::figureSize() const {
  return figureSizeOf(*figureSizeBox_);
}

bool ResultsWindow::saveFigure(const std::string& path) {
  return saveFigureFile(figure(currentTab()), path, figureSize(), prompt_);
}

bool ResultsWindow::saveData(const std::string& path) {
  if (currentTab() == Tab::Distribution) {
    return saveTextFile(
        QString::fromStdString(path),
        lawCommentLine(run_->law()) + profileCsv(sectionsOf(selectedStep()), units_), prompt_);
  }
  return saveTextFile(QString::fromStdString(path),
                      lawCommentLine(run_->law()) + loadSlipCsv(run_->rows(), units_), prompt_);
}

}  // namespace kvt::ui
