// SPDX-License-Identifier: MIT
#include "compare_window.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "analysis/run_entries.h"
#include "figures/report_figures.h"
#include "kept_runs.h"
#include "ui_style.h"
#include "window_placement.h"

namespace kvt::ui {

namespace {

enum Column { RunColumn, CaseColumn, DiffersColumn, OutcomeColumn, PMaxColumn, TauColumn };

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

}  // namespace

CompareWindow::CompareWindow(KeptRuns& kept, UserPrompt& prompt, QWidget* parent)
    : QWidget(parent, Qt::Window), kept_(kept), prompt_(prompt) {
  setObjectName("CompareWindow");
  setWindowTitle("KVT Compare runs");
  useDesignPalette(*this);
  buildLayout();
  addRow(kept_.count() - 1);
  connect(&kept_, &KeptRuns::kept, this, &CompareWindow::addRow);
  resize(960, 680);
  centreOnScreen(*this);
}

CompareWindow::~CompareWindow() = default;

void CompareWindow::buildLayout() {
  list_ = new QTableWidget(0, 6, this);
  list_->setObjectName("runList");
  list_->setHorizontalHeaderLabels({"Run", "Case", "Differs from the first chosen", "Outcome",
                                    q("Pbumax (" + unitSymbol(Quantity::Force, units_) + ")"),
                                    q("τbumax (" + unitSymbol(Quantity::Stress, units_) + ")")});
  list_->setSelectionBehavior(QAbstractItemView::SelectRows);
  list_->setSelectionMode(QAbstractItemView::SingleSelection);
  list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  list_->verticalHeader()->hide();
  list_->horizontalHeader()->setStretchLastSection(false);
  list_->horizontalHeader()->setSectionResizeMode(DiffersColumn, QHeaderView::Stretch);
  connect(list_, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) {
    if (item->column() == RunColumn) choose(item->row(), item->checkState() == Qt::Checked);
  });
  connect(list_, &QTableWidget::cellDoubleClicked, this,
          [this](int row, int) { showResults(row); });

  results_ = new QPushButton("Results…", this);
  results_->setObjectName("showResultsButton");
  results_->setToolTip("The results window of the run selected in the list");
  connect(results_, &QPushButton::clicked, this, [this] {
    if (const int run = currentRun(); run >= 0) showResults(run);
  });

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(results_);
  buttons->addStretch();
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(list_, 1);
  layout->addLayout(buttons);
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
}

// Every row again: the first run chosen decides what the others differ in.
void CompareWindow::updateRows() {
  const QSignalBlocker block(list_);
  const RunRecord* reference = chosen_.empty() ? nullptr : kept_.at(chosen_.front()).get();
  for (int k = 0; k < list_->rowCount(); ++k) {
    const RunRecord& run = *kept_.at(k);
    const std::string name = run.caseName();
    list_->item(k, CaseColumn)->setText(q(name.empty() ? caseTitle(run, units_) : name));
    std::string differs;
    if (reference == &run)
      differs = "(compared with)";
    else if (reference)
      differs = differencesFrom(run, *reference);
    list_->item(k, DiffersColumn)->setText(q(differs));
    list_->item(k, OutcomeColumn)->setText(q(outcomeText(run)));
    list_->item(k, PMaxColumn)
        ->setText(q(labelNumber(inUnits(run.PMax(), Quantity::Force, units_))));
    list_->item(k, TauColumn)
        ->setText(q(labelNumber(inUnits(run.tauAvgMax(), Quantity::Stress, units_))));
  }
  list_->resizeColumnToContents(RunColumn);
}

int CompareWindow::currentRun() const {
  const int row = list_->currentRow();
  return row >= 0 && row < kept_.count() ? row : -1;
}

void CompareWindow::showResults(int index) {
  if (index >= 0 && index < kept_.count()) kept_.showResults(index);
}

}  // namespace kvt::ui
