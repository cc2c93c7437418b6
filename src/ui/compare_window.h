// SPDX-License-Identifier: MIT
#pragma once

#include <QWidget>
#include <array>
#include <map>
#include <memory>
#include <optional>
#include <vector>

#include "analysis/compared_runs.h"
#include "analysis/units.h"
#include "figures/figure.h"
#include "files/user_prompt.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QTabWidget;
class QTableWidget;

namespace kvt::ui {

class ConvergedOverlay;
class FigureView;
class KeptRuns;

// "KVT Compare runs": the runs kept in this session, listed with their case, the entries in which
// each differs from the first run chosen, how it ended, Pbumax and τbumax. The runs ticked in the
// list are overlaid in the four report figures, one colour and dash pattern per run, the legend
// naming each by the entries in which they differ ("lb 20, db 1.27" against "lb 30, db 1.91"),
// and set side by side in a table of their entries and results. A load–slip curve measured in a
// test can be added from a CSV file, drawn with markers. "Save figure…" and "Save data…" save the
// tab on view, as in the results window; "Results…" shows a run's results window again, also long
// after its "OK".
class CompareWindow : public QWidget {
  Q_OBJECT

 public:
  enum class Tab { LoadSlip, TauSlip, Distribution, BondLaw, Table };

  CompareWindow(KeptRuns& kept, UserPrompt& prompt, QWidget* parent = nullptr);
  ~CompareWindow() override;

  // A run from elsewhere (a study's row): kept with the session's runs and chosen. Returns its
  // index among the kept runs, or −1 for a run without a step, which is not kept.
  int addRun(std::shared_ptr<const RunRecord> run);

  // The chosen runs, as indices of the kept runs, in the order they were chosen; the first is
  // the one the others are compared with.
  const std::vector<int>& chosen() const { return chosen_; }
  void choose(int index, bool chosen);
  // The results window of a kept run, opened again.
  void showResults(int index);

  // The measured curve from a CSV file; false, with the file's line and the reason reported,
  // when the file is refused (the curve shown before stays).
  bool addMeasuredCurve(const std::string& path);
  void removeMeasuredCurve();
  const std::optional<MeasuredCurve>& measuredCurve() const { return measured_; }

  // "Converged": over each chosen run, the converged curve of its case in its colour, dashed,
  // computed once per run on a thread of its own, as the results window's switch does.
  void showConverged(bool shown);

  UnitSystem units() const { return units_; }
  void setUnits(UnitSystem units);
  Tab currentTab() const;
  void showTab(Tab tab);

  // The chosen runs as the figures, the table and the CSV files take them.
  std::vector<ComparedRun> compared() const;
  Figure figure(Tab tab) const;
  FigureSize figureSize() const;
  bool saveFigure(const std::string& path);
  bool saveData(const std::string& path);

  QTableWidget* runList() const { return list_; }
  QTableWidget* table() const { return table_; }
  FigureView* view(Tab tab) const;

 private:
  void buildLayout();
  QWidget* buildListButtons();
  QWidget* buildSaveButtons();
  void addRow(int index);
  void updateRows();
  void contentChanged();
  void refresh();
  void fillTable();
  void updateStatus();
  void askMeasuredCurve();
  void askAndSave(bool figureFile);
  int currentRun() const;
  const std::vector<SectionRow>& sectionsAtPeak(const RunRecord& run) const;
  std::vector<std::vector<SectionRow>> chosenSections() const;

  KeptRuns& kept_;
  UserPrompt& prompt_;
  UnitSystem units_ = UnitSystem::KgfCm;
  std::vector<int> chosen_;
  std::optional<MeasuredCurve> measured_;
  bool convergedShown_ = false;
  std::map<const RunRecord*, std::unique_ptr<ConvergedOverlay>> converged_;
  mutable std::map<const RunRecord*, std::vector<SectionRow>> sections_;
  std::array<bool, 5> stale_{true, true, true, true, true};

  QTableWidget* list_ = nullptr;
  QTabWidget* tabs_ = nullptr;
  std::array<FigureView*, 4> views_{};
  QTableWidget* table_ = nullptr;
  QCheckBox* convergedBox_ = nullptr;
  QComboBox* unitsBox_ = nullptr;
  QComboBox* figureSizeBox_ = nullptr;
  QLabel* status_ = nullptr;
};

}  // namespace kvt::ui
