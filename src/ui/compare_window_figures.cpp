// SPDX-License-Identifier: MIT
// The comparison window's figures, table, status and saved files: everything drawn from the
// chosen runs as `compared` gives them.
#include <QHeaderView>
#include <QLabel>
#include <QTabWidget>
#include <QTableWidget>

#include "analysis/run_entries.h"
#include "compare_window.h"
#include "converged_overlay.h"
#include "figure_saving.h"
#include "figure_view.h"
#include "figures/comparison_figures.h"
#include "figures/report_figures.h"
#include "graph_export.h"
#include "kept_runs.h"
#include "output/comparison_table.h"

namespace kvt::ui {

namespace {

constexpr std::array kFigureNames = {"load-slip", "tau-slip", "profile", "bond-law"};

QString q(const std::string& text) {
  return QString::fromStdString(text);
}

// Units as a window prints them: "kgf/cm²" for the files' "kgf/cm2".
QString shownUnit(const std::string& unit) {
  QString shown = q(unit);
  shown.replace("cm2", "cm²").replace("mm2", "mm²");
  return shown;
}

}  // namespace

std::vector<ComparedRun> CompareWindow::compared() const {
  std::vector<const RunRecord*> records;
  std::vector<int> numbers;
  for (const int index : chosen_) {
    records.push_back(kept_.at(index).get());
    numbers.push_back(index + 1);
  }
  const std::vector<std::string> names = comparisonNames(records, numbers);
  std::vector<ComparedRun> runs;
  for (std::size_t k = 0; k < records.size(); ++k) {
    const auto overlay = converged_.find(records[k]);
    const RunRecord* converged =
        convergedShown_ && overlay != converged_.end() ? overlay->second->record() : nullptr;
    runs.push_back({records[k], numbers[k], names[k],
                    converged && converged->stepCount() > 0 ? converged : nullptr});
  }
  return runs;
}

const std::vector<SectionRow>& CompareWindow::sectionsAtPeak(const RunRecord& run) const {
  auto known = sections_.find(&run);
  if (known == sections_.end()) {
    std::vector<SectionRow> rows;
    try {
      rows = run.sections(run.peakStep());
    } catch (const Error&) {
      // A finished step marches again as it did; nothing to draw otherwise.
    }
    known = sections_.emplace(&run, std::move(rows)).first;
  }
  return known->second;
}

std::vector<std::vector<SectionRow>> CompareWindow::chosenSections() const {
  std::vector<std::vector<SectionRow>> sections;
  for (const int index : chosen_)
    sections.push_back(sectionsAtPeak(*kept_.at(index)));
  return sections;
}

Figure CompareWindow::figure(Tab tab) const {
  const std::vector<ComparedRun> runs = compared();
  switch (tab) {
    case Tab::LoadSlip:
      return comparedLoadSlipFigure(runs, measured_ ? &*measured_ : nullptr, units_);
    case Tab::TauSlip:
      return comparedTauSlipFigure(runs, units_);
    case Tab::Distribution:
      return comparedProfileFigure(runs, chosenSections(), units_);
    case Tab::BondLaw:
      return comparedBondLawFigure(runs, units_);
    case Tab::Table:
      break;
  }
  return {};
}

void CompareWindow::contentChanged() {
  // Each chosen run's converged curve is asked for once, when first shown.
  if (convergedShown_) {
    for (const int index : chosen_) {
      const RunRecord* run = kept_.at(index).get();
      auto& overlay = converged_[run];
      if (overlay) continue;
      overlay = std::make_unique<ConvergedOverlay>(*run);
      connect(overlay.get(), &ConvergedOverlay::ready, this, &CompareWindow::contentChanged);
      overlay->start();
    }
  }
  stale_.fill(true);
  refresh();
}

void CompareWindow::refresh() {
  const auto tab = static_cast<std::size_t>(tabs_->currentIndex());
  if (tab < stale_.size() && stale_[tab]) {
    stale_[tab] = false;
    if (currentTab() == Tab::Table)
      fillTable();
    else
      views_.at(tab)->setFigure(figure(currentTab()));
  }
  updateStatus();
}

void CompareWindow::fillTable() {
  const std::vector<ComparedRun> runs = compared();
  const std::vector<ComparisonRow> rows = comparisonTable(runs, units_);
  table_->clear();
  table_->setRowCount(static_cast<int>(rows.size()));
  table_->setColumnCount(static_cast<int>(runs.size()) + 2);
  QStringList titles{"", "unit"};
  for (const ComparedRun& r : runs)
    titles << q("run " + std::to_string(r.number) + "\n" + r.name);
  table_->setHorizontalHeaderLabels(titles);
  for (std::size_t k = 0; k < rows.size(); ++k) {
    const int row = static_cast<int>(k);
    table_->setItem(row, 0, new QTableWidgetItem(q(rows[k].quantity)));
    table_->setItem(row, 1, new QTableWidgetItem(shownUnit(rows[k].unit)));
    for (std::size_t c = 0; c < rows[k].cells.size(); ++c) {
      const ComparisonCell& cell = rows[k].cells[c];
      auto* item = new QTableWidgetItem(cell.number ? q(labelNumber(*cell.number)) : q(cell.text));
      if (cell.number) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
      table_->setItem(row, static_cast<int>(c) + 2, item);
    }
  }
  table_->resizeColumnsToContents();
}

void CompareWindow::updateStatus() {
  std::string text;
  if (chosen_.empty()) text = "Tick the runs to compare in the list.";
  for (const int index : chosen_) {
    const auto overlay = converged_.find(kept_.at(index).get());
    if (convergedShown_ && overlay != converged_.end())
      text += "Run " + std::to_string(index + 1) + ": " +
              overlay->second->comparison(*kept_.at(index)) + ". ";
  }
  status_->setText(q(text));
}

void CompareWindow::askAndSave(bool figureFile) {
  const Tab tab = currentTab();
  if (figureFile && tab == Tab::Table) {
    prompt_.warning("KVT", "The table is saved with \"Save data…\"; a figure from its tab.");
    return;
  }
  std::string suggested = "comparison";
  if (figureFile)
    suggested += "." + std::string(kFigureNames.at(static_cast<std::size_t>(tab))) + ".png";
  else
    suggested += tab == Tab::Table          ? ".table.csv"
                 : tab == Tab::Distribution ? ".profile.csv"
                                            : ".csv";
  const std::string path = askSavePath(prompt_, figureFile, suggested);
  if (path.empty()) return;
  if (figureFile)
    saveFigure(path);
  else
    saveData(path);
}

bool CompareWindow::saveFigure(const std::string& path) {
  if (currentTab() == Tab::Table) return false;
  return saveFigureFile(figure(currentTab()), path, figureSize(), prompt_);
}

// The table on its tab, the distributions on theirs, and the load–slip curves (with the
// converged and measured ones) from the other tabs, which all draw from them.
bool CompareWindow::saveData(const std::string& path) {
  const std::vector<ComparedRun> runs = compared();
  std::string text;
  if (currentTab() == Tab::Table)
    text = comparisonTableCsv(runs, units_);
  else if (currentTab() == Tab::Distribution)
    text = comparedProfileCsv(runs, chosenSections(), units_);
  else
    text = comparedLoadSlipCsv(runs, measured_ ? &*measured_ : nullptr, units_);
  return saveTextFile(q(path), text, prompt_);
}

}  // namespace kvt::ui
