// SPDX-License-Identifier: MIT
#include "required_length_window.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QVBoxLayout>

#include "batch/code_lengths.h"
#include "batch/required_length.h"
#include "params/format_number.h"
#include "params/quantity_text.h"
#include "study_grid_editor.h"
#include "study_launcher.h"
#include "study_results_view.h"
#include "study_run_bar.h"
#include "ui_style.h"
#include "window_placement.h"

namespace kvt::ui {

namespace {

// Every entry kvt-batch's --vary takes but lb, which the search sets itself.
std::vector<std::string> caseNames() {
  return {"bar",      "db",     "Ab", "phi", "sigmaB",         "sigmaT", "Ec",
          "Es",       "pw",     "C1", "C2",  "tauU",           "su",     "beta",
          "cotAlpha", "deltaL", "ru", "ds",  "reductionFactor"};
}

// The units a bare yield stress may be given in; a text with its own unit keeps it.
constexpr std::array<std::pair<const char*, Unit>, 2> kStressUnits = {
    {{"kgf/cm²", Unit::KgfCm2}, {"MPa", Unit::MPa}}};

// No deformed bar yields outside 1000 … 10000 kgf/cm² (98 … 981 MPa), as kvt-batch checks.
constexpr double kLowestYield = 1000, kHighestYield = 10000;

}  // namespace

RequiredLengthWindow::RequiredLengthWindow(StudyHost host, QWidget* parent)
    : QWidget(parent, Qt::Window), host_(std::move(host)) {
  setObjectName("RequiredLengthWindow");
  setWindowTitle("KVT Required bond length");
  useDesignPalette(*this);
  buildLayout();
  launcher_ = new StudyLauncher(host_, *runBar_, *results_, this);
  connect(editor_, &StudyGridEditor::changed, this, &RequiredLengthWindow::updatePlan);
  connect(fy_, &QLineEdit::textChanged, this, &RequiredLengthWindow::updatePlan);
  connect(fyUnit_, &QComboBox::currentIndexChanged, this, &RequiredLengthWindow::updatePlan);
  connect(lbMax_, &QDoubleSpinBox::valueChanged, this, &RequiredLengthWindow::updatePlan);
  for (QCheckBox* code : codeBoxes_)
    connect(code, &QCheckBox::toggled, this, &RequiredLengthWindow::updatePlan);
  connect(runBar_, &StudyRunBar::jobsChanged, this, &RequiredLengthWindow::updatePlan);
  connect(runBar_, &StudyRunBar::runClicked, this, &RequiredLengthWindow::run);
  connect(runBar_, &StudyRunBar::continueClicked, this, &RequiredLengthWindow::resume);
  connect(runBar_, &StudyRunBar::cancelClicked, this, &RequiredLengthWindow::cancel);
  updatePlan();
  resize(1000, 680);
  centreOnScreen(*this);
}

RequiredLengthWindow::~RequiredLengthWindow() = default;

void RequiredLengthWindow::buildLayout() {
  auto* bar = new QGroupBox("The bar", this);
  fy_ = new QLineEdit("3500", bar);
  fy_->setObjectName("yieldStressBox");
  fy_->setToolTip("The bar's yield stress fy; a value may carry its own unit (345MPa)");
  fyUnit_ = new QComboBox(bar);
  fyUnit_->setObjectName("yieldUnitBox");
  for (const auto& [text, unit] : kStressUnits)
    fyUnit_->addItem(text);
  lbMax_ = new QDoubleSpinBox(bar);
  lbMax_->setObjectName("longestLengthBox");
  lbMax_->setRange(0.1, 100000);
  lbMax_->setDecimals(1);
  lbMax_->setValue(200);
  lbMax_->setSuffix(" cm");
  auto* fyRow = new QHBoxLayout;
  fyRow->addWidget(fy_);
  fyRow->addWidget(fyUnit_);
  auto* form = new QFormLayout(bar);
  form->addRow("Yield stress fy", fyRow);
  form->addRow("Longest lb tried", lbMax_);
  form->addRow(buildCodes(bar));

  auto* cases =
      new QGroupBox("Cases: the parameter window's entries, and the entries to vary", this);
  editor_ = new StudyGridEditor(caseNames(), cases);
  auto* casesLayout = new QVBoxLayout(cases);
  casesLayout->addWidget(editor_);

  runBar_ = new StudyRunBar(this);
  results_ = new StudyResultsView(host_, this);
  auto* setupRow = new QHBoxLayout;
  setupRow->addWidget(bar);
  setupRow->addWidget(cases, 1);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(setupRow);
  layout->addWidget(runBar_);
  layout->addWidget(results_, 1);
}

// The design codes' anchorage lengths for each case, beside the simulated one: the bar and σB
// from the case, fy from the box, the codes' other factors at their recommended values.
QWidget* RequiredLengthWindow::buildCodes(QWidget* parent) {
  auto* box = new QGroupBox("Design codes beside it", parent);
  box->setToolTip(QString::fromStdString("φ = db and fck = σB of each case, fy as above; " +
                                         codeFactorsText(CodeRequest{})));
  auto* layout = new QVBoxLayout(box);
  for (const codes::DesignCode code : codes::kDesignCodes) {
    auto* check = new QCheckBox(QString::fromUtf8(codes::codeTitle(code).data(),
                                                  static_cast<int>(codes::codeTitle(code).size())),
                                box);
    check->setObjectName(QString::fromUtf8(codes::codeKey(code).data(),
                                           static_cast<int>(codes::codeKey(code).size())));
    check->setChecked(true);
    layout->addWidget(check);
    codeBoxes_.push_back(check);
  }
  return box;
}

CodeRequest RequiredLengthWindow::codeRequest() const {
  CodeRequest request;
  for (std::size_t k = 0; k < codeBoxes_.size(); ++k)
    if (codeBoxes_[k]->isChecked()) request.codes.push_back(codes::kDesignCodes[k]);
  return request;
}

StudyJob* RequiredLengthWindow::job() const {
  return launcher_->job();
}

std::optional<double> RequiredLengthWindow::yieldStress(std::string& problem) const {
  const Unit bare = kStressUnits.at(static_cast<std::size_t>(fyUnit_->currentIndex())).second;
  const ValueReading reading =
      readValue(fy_->text().trimmed().toStdString(), Dimension::Stress, bare);
  if (!reading.quantity || !(reading.quantity->number > 0)) {
    problem = "fy: give the bar's yield stress, e.g. 3500 kgf/cm² or 345MPa" +
              (reading.problem.empty() ? std::string() : " (" + reading.problem + ")");
    return std::nullopt;
  }
  return inUnit(*reading.quantity, Unit::KgfCm2);
}

std::string RequiredLengthWindow::setup() const {
  std::string text = std::to_string(runBar_->jobs()) + '\n' + fy_->text().toStdString() + ' ' +
                     fyUnit_->currentText().toStdString() + '\n' + std::to_string(lbMax_->value());
  for (const QCheckBox* code : codeBoxes_)
    text += code->isChecked() ? " 1" : " 0";
  return text + editor_->setupText();
}

void RequiredLengthWindow::updatePlan() {
  std::string problem;
  const auto grid = editor_->grid();
  if (const auto* error = std::get_if<std::string>(&grid)) problem = *error;
  if (!yieldStress(problem) || !problem.empty()) {
    runBar_->setPlan(QString::fromStdString(problem), false);
  } else {
    runBar_->setPlan(editor_->planText(std::get<StudyGrid>(grid), "case"), true);
  }
  launcher_->setupChanged(setup());
}

void RequiredLengthWindow::run() {
  std::string problem;
  auto grid = editor_->grid();
  const std::optional<double> fy = yieldStress(problem);
  if (!fy || !std::holds_alternative<StudyGrid>(grid)) return;
  if ((*fy < kLowestYield || *fy > kHighestYield) &&
      !host_.prompt.question("KVT", "fy = " + formatNumber(*fy, "0.#") +
                                        " kgf/cm²: a reinforcing bar yields at 1000 to 10000 "
                                        "kgf/cm² (98 to 981 MPa). Run with it all the same?"))
    return;
  StudyRequest request;
  request.options.jobs = runBar_->jobs();
  request.study.grid = std::move(std::get<StudyGrid>(grid));
  request.study.findLb = true;
  request.options.fy = *fy;
  request.study.lbMaxTenths = static_cast<int>(std::lround(lbMax_->value() * 10));
  request.study.codes = codeRequest();
  launcher_->run(std::move(request), setup());
}

void RequiredLengthWindow::resume() {
  launcher_->resume();
}

void RequiredLengthWindow::cancel() {
  launcher_->cancel();
}

void RequiredLengthWindow::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::ActivationChange && isActiveWindow()) updatePlan();
}

}  // namespace kvt::ui
