// SPDX-License-Identifier: MIT
#include "compare_window.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QSplitter>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "analysis/run_entries.h"
#include "converged_overlay.h"
#include "figure_saving.h"
#include "figure_view.h"
#include "figures/report_figures.h"
#include "files/measured_curve_file.h"
#include "kept_runs.h"
#include "ui_style.h"
#include "window_placement.h"

namespace kvt::ui {

namespace {

enum Column { RunColumn, CaseColumn, DiffersColumn, OutcomeColumn, PMaxColumn, TauColumn };

constexpr std::array kTabTitles = {"Load–slip", "τ-s", "Distribution", "Bond law", "Table"};

QString q(const std::string& text) {
  return QString::fromStdString(text);
}

std::string outcomeText(const RunRecord& run) {
  const std::string steps = std::to_string(run.stepCount()) + " steps";
  switch (run.outcome()) {
    case RunRecord::Outcome::Running:
      return "running, " + steps;
    case RunRecord::Outcome::Finished:
      return "finished, " + steps;
    case RunRecord::Outcome::Cancelled:
      return "cancelled after " + steps;
    case RunRecord::Outcome::StepLimit:
    case RunRecord::Outcome::Failed:
      break;
  }
  return "failed after " + steps + ": " + run.failure();
}

QPushButton* button(QWidget* parent, const char* name, const char* text, const char* tip) {
  auto* b = new QPushButton(QString::fromUtf8(text), parent);
  b->setObjectName(name);
  b->setToolTip(QString::fromUtf8(tip));
  return b;
}

}  // namespace

CompareWindow::CompareWindow(KeptRuns& kept, UserPrompt& prompt, QWidget* parent)
    : QWidget(parent, Qt::Window), kept_(kept), prompt_(prompt) {
  setObjectName("CompareWindow");
  setWindowTitle("KVT Compare runs");
  // Light like the program's other windows; the figures themselves are white paper anyway.
  useDesignPalette(*this);
  buildLayout();
  addRow(kept_.count() - 1);
  connect(&kept_, &KeptRuns::kept, this, &CompareWindow::addRow);
  QSize size(1040, 760);
  if (const QScreen* screen = QGuiApplication::primaryScreen())
    size = size.boundedTo(screen->availableGeometry().size() * 0.9);
  resize(size);
  centreOnScreen(*this);
  refresh();
}

CompareWindow::~CompareWindow() = default;

void CompareWindow::buildLayout() {
  list_ = new QTableWidget(0, 6, this);
  list_->setObjectName("runList");
  list_->setSelectionBehavior(QAbstractItemView::SelectRows);
  list_->setSelectionMode(QAbstractItemView::SingleSelection);
  list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  list_->verticalHeader()->hide();
  list_->horizontalHeader()->setSectionResizeMode(DiffersColumn, QHeaderView::Stretch);
  list_->setToolTip("Tick the runs to compare; the first ticked is the one the others differ from");
  connect(list_, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) {
    if (item->column() == RunColumn) choose(item->row(), item->checkState() == Qt::Checked);
  });
  connect(list_, &QTableWidget::cellDoubleClicked, this,
          [this](int row, int) { showResults(row); });

  tabs_ = new QTabWidget(this);
  tabs_->setObjectName("comparisonTabs");
  for (std::size_t k = 0; k < views_.size(); ++k) {
    views_[k] = new FigureView(tabs_);
    tabs_->addTab(views_[k], kTabTitles[k]);
  }
  table_ = new QTableWidget(tabs_);
  table_->setObjectName("comparisonTable");
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->verticalHeader()->hide();
  tabs_->addTab(table_, kTabTitles[4]);
  connect(tabs_, &QTabWidget::currentChanged, this, &CompareWindow::refresh);

  auto* top = new QWidget(this);
  auto* topLayout = new QVBoxLayout(top);
  topLayout->setContentsMargins(0, 0, 0, 0);
  topLayout->addWidget(list_, 1);
  topLayout->addWidget(buildListButtons());
  auto* splitter = new QSplitter(Qt::Vertical, this);
  splitter->addWidget(top);
  splitter->addWidget(tabs_);
  splitter->setStretchFactor(1, 3);

  status_ = new QLabel(this);
  status_->setObjectName("statusLabel");
  status_->setWordWrap(true);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(splitter, 1);
  layout->addWidget(buildSaveButtons());
  layout->addWidget(status_);
}

QWidget* CompareWindow::buildListButtons() {
  auto* row = new QWidget(this);
  auto* results = button(row, "showResultsButton", "Results…",
                         "The results window of the run selected in the list");
  connect(results, &QPushButton::clicked, this, [this] {
    if (const int run = currentRun(); run >= 0) showResults(run);
  });
  auto* add = button(row, "addMeasuredButton", "Add measured curve…",
                     "A load–slip curve from a test, from a CSV file whose header names the "
                     "units: \"slip (mm),force (kN)\", or a load–slip CSV file of kvt's own");
  connect(add, &QPushButton::clicked, this, &CompareWindow::askMeasuredCurve);
  convergedBox_ = new QCheckBox("Converged", row);
  convergedBox_->setObjectName("convergedBox");
  convergedBox_->setToolTip(
      "Over each run, dashed in its colour: the same bar and law solved over lb itself");
  connect(convergedBox_, &QCheckBox::toggled, this, &CompareWindow::showConverged);
  auto* remove = button(row, "removeMeasuredButton", "Remove measured curve", "");
  connect(remove, &QPushButton::clicked, this, &CompareWindow::removeMeasuredCurve);
  auto* layout = new QHBoxLayout(row);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(results);
  layout->addWidget(convergedBox_);
  layout->addStretch();
  layout->addWidget(add);
  layout->addWidget(remove);
  return row;
}

QWidget* CompareWindow::buildSaveButtons() {
  auto* row = new QWidget(this);
  unitsBox_ = new QComboBox(row);
  unitsBox_->setObjectName("unitsBox");
  unitsBox_->addItem("kgf-cm");
  unitsBox_->addItem("SI (kN, mm, MPa)");
  connect(unitsBox_, &QComboBox::currentIndexChanged, this,
          [this](int chosen) { setUnits(chosen == 1 ? UnitSystem::SI : UnitSystem::KgfCm); });
  figureSizeBox_ = newFigureSizeBox(row);
  auto* saveFigure = button(row, "saveFigureButton", "Save figure…",
                            "The figure on view as PNG, SVG or PDF, by the extension given");
  auto* saveData = button(row, "saveDataButton", "Save data…",
                          "As CSV: the table, the distributions on their tab, else the "
                          "load–slip curves overlaid");
  connect(saveFigure, &QPushButton::clicked, this, [this] { askAndSave(true); });
  connect(saveData, &QPushButton::clicked, this, [this] { askAndSave(false); });
  auto* layout = new QHBoxLayout(row);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(new QLabel("Units", row));
  layout->addWidget(unitsBox_);
  layout->addStretch();
  layout->addWidget(figureSizeBox_);
  layout->addWidget(saveFigure);
  layout->addWidget(saveData);
  return row;
}

int CompareWindow::addRun(std::shared_ptr<const RunRecord> run) {
  const int index = kept_.keep(std::move(run));
  if (index >= 0) choose(index, true);
  return index;
}

// A row for every kept run not listed yet; the kept runs only grow.
void CompareWindow::addRow(int index) {
  const QSignalBlocker block(list_);
  const int rows = std::max(list_->rowCount(), std::max(index + 1, kept_.count()));
  for (int row = list_->rowCount(); row < rows; ++row) {
    list_->insertRow(row);
    auto* number = new QTableWidgetItem(QString::number(row + 1));
    number->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    number->setCheckState(Qt::Unchecked);
    list_->setItem(row, RunColumn, number);
    for (const int column : {CaseColumn, DiffersColumn, OutcomeColumn, PMaxColumn, TauColumn})
      list_->setItem(row, column, new QTableWidgetItem);
  }
  updateRows();
}

void CompareWindow::choose(int index, bool chosen) {
  if (index < 0 || index >= kept_.count()) return;
  const auto at = std::find(chosen_.begin(), chosen_.end(), index);
  if (chosen == (at != chosen_.end())) return;
  if (chosen)
    chosen_.push_back(index);
  else
    chosen_.erase(at);
  {
    const QSignalBlocker block(list_);
    list_->item(index, RunColumn)->setCheckState(chosen ? Qt::Checked : Qt::Unchecked);
  }
  updateRows();
  contentChanged();
}

// Every row again: the first run chosen decides what the others differ in.
void CompareWindow::updateRows() {
  const QSignalBlocker block(list_);
  list_->setHorizontalHeaderLabels({"Run", "Case", "Differs from the first chosen", "Outcome",
                                    q("Pbumax (" + unitSymbol(Quantity::Force, units_) + ")"),
                                    q("τbumax (" + unitSymbol(Quantity::Stress, units_) + ")")});
  const RunRecord* reference = chosen_.empty() ? nullptr : kept_.at(chosen_.front()).get();
  for (int k = 0; k < list_->rowCount(); ++k) {
    const RunRecord& run = *kept_.at(k);
    const std::string name = run.caseName();
    list_->item(k, CaseColumn)->setText(q(name.empty() ? caseTitle(run, units_) : name));
    std::string differs;
    if (reference == &run)
      differs = "(the others are compared with this run)";
    else if (reference)
      differs = differencesFrom(run, *reference);
    list_->item(k, DiffersColumn)->setText(q(differs));
    list_->item(k, OutcomeColumn)->setText(q(outcomeText(run)));
    list_->item(k, PMaxColumn)
        ->setText(q(labelNumber(inUnits(run.PMax(), Quantity::Force, units_))));
    list_->item(k, TauColumn)
        ->setText(q(labelNumber(inUnits(run.tauAvgMax(), Quantity::Stress, units_))));
  }
  list_->resizeColumnsToContents();
  list_->horizontalHeader()->setSectionResizeMode(DiffersColumn, QHeaderView::Stretch);
}

int CompareWindow::currentRun() const {
  const int row = list_->currentRow();
  return row >= 0 && row < kept_.count() ? row : -1;
}

void CompareWindow::showResults(int index) {
  if (index >= 0 && index < kept_.count()) kept_.showResults(index);
}

void CompareWindow::askMeasuredCurve() {
  const std::string path =
      prompt_.openFileName("Add a measured load–slip curve", "CSV files (*.csv);;All files (*)");
  if (!path.empty()) addMeasuredCurve(path);
}

bool CompareWindow::addMeasuredCurve(const std::string& path) {
  try {
    measured_ = readMeasuredCurve(path);
  } catch (const CsvTableError& error) {
    prompt_.warning("KVT", std::string("The measured curve was not added. ") + error.what());
    return false;
  }
  contentChanged();
  return true;
}

void CompareWindow::removeMeasuredCurve() {
  if (!measured_) return;
  measured_.reset();
  contentChanged();
}

void CompareWindow::showConverged(bool shown) {
  convergedShown_ = shown;
  {
    const QSignalBlocker block(convergedBox_);
    convergedBox_->setChecked(shown);
  }
  contentChanged();
}

void CompareWindow::setUnits(UnitSystem units) {
  if (units == units_) return;
  units_ = units;
  {
    const QSignalBlocker block(unitsBox_);
    unitsBox_->setCurrentIndex(units == UnitSystem::SI ? 1 : 0);
  }
  updateRows();
  contentChanged();
}

CompareWindow::Tab CompareWindow::currentTab() const {
  return static_cast<Tab>(tabs_->currentIndex());
}

void CompareWindow::showTab(Tab tab) {
  tabs_->setCurrentIndex(static_cast<int>(tab));
}

FigureView* CompareWindow::view(Tab tab) const {
  return tab == Tab::Table ? nullptr : views_.at(static_cast<std::size_t>(tab));
}

FigureSize CompareWindow::figureSize() const {
  return figureSizeOf(*figureSizeBox_);
}

}  // namespace kvt::ui
