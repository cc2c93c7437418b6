// SPDX-License-Identifier: MIT
#pragma once

#include <QPointer>
#include <QWidget>
#include <array>
#include <string>

#include "analysis/units.h"
#include "figures/figure.h"
#include "study_host.h"
#include "study_job.h"
#include "study_row_actions.h"

class QComboBox;
class QPushButton;
class QSortFilterProxyModel;
class QTabWidget;
class QTableView;

namespace kvt::ui {

class FigureView;
class StudyTableModel;

// What a study has found, as kvt-batch writes it: the summary as a table (sortable, headed with
// units), the load–slip curves of every run (up to 20), Pbumax against a chosen varied entry,
// and with the required length, that length against it. "Save summary…" and "Save figure…"
// write the bytes kvt-batch writes for the same study; a row is opened in the results window,
// sent to the comparison or put into the parameter window (`StudyRowActions`).
class StudyResultsView : public QWidget {
  Q_OBJECT

 public:
  enum class Tab { Summary, LoadSlip, Pbumax, RequiredLength };

  explicit StudyResultsView(StudyHost& host, QWidget* parent = nullptr);

  void setJob(StudyJob* job);
  UnitSystem units() const { return units_; }
  void setUnits(UnitSystem units);
  // The varied entry Pbumax is drawn against (an index into the grid's entries).
  void setAgainst(std::size_t entry);

  Tab currentTab() const;
  void showTab(Tab tab);
  // The figure of a tab as shown, from the cases so far; empty when the study draws none.
  Figure figure(Tab tab) const;
  FigureView* view(Tab tab) const;
  QTableView* table() const { return table_; }
  // The row selected in the table, or nullptr.
  const StudyRow* selectedRow() const;
  void selectRow(int modelRow);
  StudyRowActions& actions() { return actions_; }

  // The summary in the units shown, and the figure of the tab shown (PNG, SVG or PDF by the
  // file's extension), each replaced only when complete; a failure is reported and changes
  // nothing.
  bool saveSummary(const std::string& path);
  bool saveFigure(const std::string& path);
  // The summary's name beside the parameter file, as kvt-batch would write it.
  std::string suggestedSummaryName() const;

 private:
  void buildLayout();
  QWidget* buildButtons();
  void refreshFigures();
  void updateButtons();
  void askAndSave(bool figureFile);
  void act(void (StudyRowActions::*action)(std::shared_ptr<const StudyEngine>, const StudyRow&,
                                           StudyRowActions::Run),
           StudyRowActions::Run run);

  StudyHost& host_;
  StudyRowActions actions_;
  QPointer<StudyJob> job_;
  UnitSystem units_ = UnitSystem::KgfCm;
  std::size_t against_ = 0;
  std::array<Figure, 4> figures_{};

  StudyTableModel* model_ = nullptr;
  QSortFilterProxyModel* sorted_ = nullptr;
  QTabWidget* tabs_ = nullptr;
  QTableView* table_ = nullptr;
  std::array<FigureView*, 4> views_{};
  QComboBox* unitsBox_ = nullptr;
  QComboBox* againstBox_ = nullptr;
  QComboBox* figureSizeBox_ = nullptr;
  QPushButton* open_ = nullptr;
  QPushButton* openShorter_ = nullptr;
  QPushButton* compare_ = nullptr;
  QPushButton* useAsCase_ = nullptr;
  QPushButton* saveSummary_ = nullptr;
  QPushButton* saveFigure_ = nullptr;
};

}  // namespace kvt::ui
