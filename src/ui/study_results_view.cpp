// SPDX-License-Identifier: MIT
#include "study_results_view.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSortFilterProxyModel>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

#include "batch/study_figures.h"
#include "figure_saving.h"
#include "figure_view.h"
#include "graph_export.h"
#include "study_grid_editor.h"
#include "study_table_model.h"

namespace kvt::ui {

namespace {

constexpr std::array kTabTitles = {"Summary", "Load–slip curves", "Pbumax", "Required lb"};
// The file suffix of each figure tab's figure, as the study's figures are named.
constexpr std::array<std::string_view, 4> kSuffixes = {"", "load-slip", "pbumax", "required-lb"};

std::size_t index(StudyResultsView::Tab tab) {
  return static_cast<std::size_t>(tab);
}

}  // namespace

StudyResultsView::StudyResultsView(StudyHost& host, QWidget* parent)
    : QWidget(parent), host_(host), actions_(host) {
  buildLayout();
  updateButtons();
}

void StudyResultsView::buildLayout() {
  model_ = new StudyTableModel(this);
  sorted_ = new QSortFilterProxyModel(this);
  sorted_->setSourceModel(model_);
  sorted_->setSortRole(StudyTableModel::kSortRole);
  table_ = new QTableView(this);
  table_->setObjectName("summaryTable");
  table_->setModel(sorted_);
  table_->setSortingEnabled(true);
  table_->sortByColumn(0, Qt::AscendingOrder);
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->setSelectionMode(QAbstractItemView::SingleSelection);
  table_->verticalHeader()->hide();
  table_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  // Sized by the rows in view: measuring every row each time rows arrive would cost the event
  // loop more the longer the study.
  table_->horizontalHeader()->setResizeContentsPrecision(0);
  connect(table_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
          &StudyResultsView::updateButtons);
  connect(table_, &QTableView::doubleClicked, this, [this] { open_->click(); });

  tabs_ = new QTabWidget(this);
  tabs_->setObjectName("studyTabs");
  tabs_->addTab(table_, kTabTitles[0]);
  for (std::size_t k = 1; k < views_.size(); ++k) {
    views_[k] = new FigureView(tabs_);
    tabs_->addTab(views_[k], kTabTitles[k]);
  }
  connect(tabs_, &QTabWidget::currentChanged, this, &StudyResultsView::updateButtons);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(tabs_, 1);
  layout->addWidget(buildButtons());
}

QWidget* StudyResultsView::buildButtons() {
  auto* buttons = new QWidget(this);
  unitsBox_ = new QComboBox(buttons);
  unitsBox_->setObjectName("unitsBox");
  unitsBox_->addItem("kgf-cm");
  unitsBox_->addItem("SI (kN, mm, MPa)");
  connect(unitsBox_, &QComboBox::currentIndexChanged, this,
          [this](int chosen) { setUnits(chosen == 1 ? UnitSystem::SI : UnitSystem::KgfCm); });
  againstBox_ = new QComboBox(buttons);
  againstBox_->setObjectName("againstBox");
  againstBox_->setToolTip("The varied entry Pbumax is drawn against");
  connect(againstBox_, &QComboBox::activated, this,
          [this](int chosen) { setAgainst(static_cast<std::size_t>(chosen)); });
  figureSizeBox_ = newFigureSizeBox(buttons);

  const auto button = [&](const char* text, const char* name) {
    auto* made = new QPushButton(text, buttons);
    made->setObjectName(name);
    return made;
  };
  using Run = StudyRowActions::Run;
  open_ = button("Open in results window", "openRowButton");
  openShorter_ = button("Open 0.1 cm shorter", "openShorterButton");
  compare_ = button("Send to comparison", "compareRowButton");
  useAsCase_ = button("Use as case", "useAsCaseButton");
  saveSummary_ = button("Save summary…", "saveSummaryButton");
  saveFigure_ = button("Save figure…", "saveFigureButton");
  const auto runOf = [this] {
    return job_ && job_->study().options().findLb ? Run::AtRequiredLength : Run::Case;
  };
  connect(open_, &QPushButton::clicked, this, [=, this] { act(&StudyRowActions::open, runOf()); });
  connect(openShorter_, &QPushButton::clicked, this,
          [this] { act(&StudyRowActions::open, Run::Shorter); });
  connect(compare_, &QPushButton::clicked, this,
          [=, this] { act(&StudyRowActions::sendToComparison, runOf()); });
  connect(useAsCase_, &QPushButton::clicked, this, [=, this] {
    if (const StudyRow* row = selectedRow()) actions_.useAsCase(*job_->engine(), *row, runOf());
  });
  connect(saveSummary_, &QPushButton::clicked, this, [this] { askAndSave(false); });
  connect(saveFigure_, &QPushButton::clicked, this, [this] { askAndSave(true); });
  compare_->setVisible(static_cast<bool>(host_.compare));

  auto* row = new QHBoxLayout(buttons);
  row->setContentsMargins(0, 0, 0, 0);
  for (QWidget* widget : {static_cast<QWidget*>(open_), static_cast<QWidget*>(openShorter_),
                          static_cast<QWidget*>(compare_), static_cast<QWidget*>(useAsCase_)})
    row->addWidget(widget);
  row->addStretch(1);
  row->addWidget(new QLabel("Against", buttons));
  row->addWidget(againstBox_);
  row->addWidget(new QLabel("Units", buttons));
  row->addWidget(unitsBox_);
  row->addWidget(figureSizeBox_);
  row->addWidget(saveSummary_);
  row->addWidget(saveFigure_);
  return buttons;
}

void StudyResultsView::setJob(StudyJob* job) {
  if (job_) disconnect(job_, nullptr, this, nullptr);
  job_ = job;
  model_->setJob(job);
  {
    const QSignalBlocker block(againstBox_);
    againstBox_->clear();
    if (job)
      for (const VariedEntry& entry : job->study().options().grid.entries())
        againstBox_->addItem(QString::fromStdString(variedEntryAxis(entry.name()).title));
    against_ = static_cast<std::size_t>(std::max(0, againstBox_->count() - 1));
    againstBox_->setCurrentIndex(againstBox_->count() - 1);
  }
  const bool lengths = job && job->study().options().findLb;
  tabs_->setTabVisible(static_cast<int>(index(Tab::LoadSlip)), job && job->study().drawsFamily());
  tabs_->setTabVisible(static_cast<int>(index(Tab::Pbumax)), againstBox_->count() > 0);
  tabs_->setTabVisible(static_cast<int>(index(Tab::RequiredLength)),
                       lengths && againstBox_->count() > 0);
  open_->setText(lengths ? "Open at required lb" : "Open in results window");
  openShorter_->setVisible(lengths);
  if (job) {
    connect(job, &StudyJob::ended, this, &StudyResultsView::refreshFigures);
    connect(job, &StudyJob::rowsAdded, this, &StudyResultsView::updateButtons);
  }
  refreshFigures();
}

void StudyResultsView::setUnits(UnitSystem units) {
  units_ = units;
  {
    const QSignalBlocker block(unitsBox_);
    unitsBox_->setCurrentIndex(units == UnitSystem::SI ? 1 : 0);
  }
  model_->setUnits(units);
  refreshFigures();
}

void StudyResultsView::setAgainst(std::size_t entry) {
  against_ = entry;
  {
    const QSignalBlocker block(againstBox_);
    againstBox_->setCurrentIndex(static_cast<int>(entry));
  }
  refreshFigures();
}

StudyResultsView::Tab StudyResultsView::currentTab() const {
  return static_cast<Tab>(tabs_->currentIndex());
}

void StudyResultsView::showTab(Tab tab) {
  tabs_->setCurrentIndex(static_cast<int>(index(tab)));
}

FigureView* StudyResultsView::view(Tab tab) const {
  return views_[index(tab)];
}

Figure StudyResultsView::figure(Tab tab) const {
  return figures_[index(tab)];
}

void StudyResultsView::refreshFigures() {
  figures_.fill(Figure{});
  if (job_ && !job_->points().empty())
    for (auto& [suffix, drawn] : job_->study().figures(job_->points(), units_, against_))
      for (std::size_t k = 1; k < kSuffixes.size(); ++k)
        if (suffix == kSuffixes[k]) figures_[k] = std::move(drawn);
  for (std::size_t k = 1; k < views_.size(); ++k)
    views_[k]->setFigure(figures_[k]);
  updateButtons();
}

const StudyRow* StudyResultsView::selectedRow() const {
  const QModelIndexList chosen = table_->selectionModel()->selectedRows();
  if (chosen.isEmpty()) return nullptr;
  return model_->row(sorted_->mapToSource(chosen.front()).row());
}

void StudyResultsView::selectRow(int modelRow) {
  table_->selectRow(sorted_->mapFromSource(model_->index(modelRow, 0)).row());
}

void StudyResultsView::updateButtons() {
  const StudyRow* row = selectedRow();
  const bool found = row && StudyRowActions::lengthOf(*row, StudyRowActions::Run::AtRequiredLength);
  const bool lengths = job_ && job_->study().options().findLb;
  for (QPushButton* button : {open_, compare_, useAsCase_})
    button->setEnabled(row && (!lengths || found));
  openShorter_->setEnabled(row && StudyRowActions::lengthOf(*row, StudyRowActions::Run::Shorter));
  saveSummary_->setEnabled(job_ && job_->done() > 0);
  saveFigure_->setEnabled(currentTab() != Tab::Summary && !figure(currentTab()).panels.empty());
}

void StudyResultsView::act(void (StudyRowActions::*action)(std::shared_ptr<const StudyEngine>,
                                                           const StudyRow&, StudyRowActions::Run),
                           StudyRowActions::Run run) {
  if (const StudyRow* row = selectedRow()) (actions_.*action)(job_->engine(), *row, run);
}

std::string StudyResultsView::suggestedSummaryName() const {
  return job_ ? job_->study().summaryPath() : std::string();
}

void StudyResultsView::askAndSave(bool figureFile) {
  if (!job_) return;
  std::string suggested = suggestedSummaryName();
  if (figureFile)
    suggested = studyFigurePath(suggested, kSuffixes[index(currentTab())], FigureFormat::Png);
  const std::string path = askSavePath(host_.prompt, figureFile, suggested, "Save summary");
  if (path.empty()) return;
  if (figureFile)
    saveFigure(path);
  else
    saveSummary(path);
}

bool StudyResultsView::saveSummary(const std::string& path) {
  if (!job_) return false;
  if (job_->done() < job_->runCount() &&
      !host_.prompt.question("KVT", "The study has " + std::to_string(job_->done()) + " of its " +
                                        std::to_string(job_->runCount()) +
                                        " runs. Save the summary of those alone?"))
    return false;
  return saveTextFile(QString::fromStdString(path), job_->summary(units_), host_.prompt);
}

bool StudyResultsView::saveFigure(const std::string& path) {
  if (!job_ || currentTab() == Tab::Summary) return false;
  const LocalDateTime start = job_->engine()->clock.now();
  return saveFigureFile(figure(currentTab()), path, figureSizeOf(*figureSizeBox_), host_.prompt,
                        &start);
}

}  // namespace kvt::ui
