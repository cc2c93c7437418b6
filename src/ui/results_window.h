// SPDX-License-Identifier: MIT
#pragma once

#include <QWidget>
#include <array>
#include <memory>
#include <string>
#include <vector>

#include "analysis/run_record.h"
#include "analysis/units.h"
#include "figures/figure.h"
#include "files/user_prompt.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QSlider;
class QSpinBox;
class QTabWidget;

namespace kvt::ui {

class ConvergedOverlay;
class FigureView;

// "KVT Results": the four report figures of one run (load–slip, τ-s, the distribution along the
// bar at a chosen step, and the bond law), a step selector, a units switch, and "Save figure…"
// and "Save data…". It reads the run's record, which it shares, so it stays open and usable when
// the analysis windows have gone; each run opens its own. While the run goes on the record grows,
// and the window shows it whenever it is presented, at the run's frame rate. A step's
// distribution is marched again from that step's free-end slip when the step is chosen, so
// nothing per segment is kept. Its title names the case as the figures do.
class ResultsWindow : public QWidget {
  Q_OBJECT

 public:
  enum class Tab { LoadSlip, TauSlip, Distribution, BondLaw };

  // `run` is the record the run fills; `prompt` asks for file names and reports failed saves.
  ResultsWindow(std::shared_ptr<const RunRecord> run, UserPrompt& prompt,
                QWidget* parent = nullptr);
  ~ResultsWindow() override;

  // Brings the window up to date with the record: its steps so far and how the run ended.
  void present();

  // The step whose distribution is shown: the step of Pbumax until the user chooses another.
  int selectedStep() const;
  void selectStep(int step);
  UnitSystem units() const { return units_; }
  void setUnits(UnitSystem units);
  Tab currentTab() const;
  void showTab(Tab tab);

  // The figure of a tab as it is shown, and the files "Save figure…" and "Save data…" write:
  // a figure as PNG, SVG or PDF by the name's extension, the data of the tab on view as CSV.
  Figure figure(Tab tab) const;
  // The size "Save figure…" gives a figure on paper, as chosen beside it.
  FigureSize figureSize() const;
  bool saveFigure(const std::string& path);
  bool saveData(const std::string& path);
  const RunRecord& run() const { return *run_; }
  FigureView* view(Tab tab) const;

 private:
  void buildLayout();
  // The status line, the bar-stress note and the "Converged" switch with its note.
  void buildStatusControls();
  void refresh(Tab tab);
  void markStale();
  std::string stateText() const;
  void updateSelector();
  void updateStatus();
  void showConverged(bool shown);
  void updateConvergedNote();
  void chooseStep(int step);
  const std::vector<SectionRow>& sectionsOf(int step) const;
  std::string baseName() const;
  void askAndSave(bool figureFile);

  std::shared_ptr<const RunRecord> run_;
  UserPrompt& prompt_;
  UnitSystem units_ = UnitSystem::KgfCm;
  bool followPeak_ = true;
  int chosenStep_ = 0;
  int shownSteps_ = -1;  // the steps the figures were last drawn from
  std::array<bool, 4> stale_{true, true, true, true};
  mutable std::vector<SectionRow> sections_;
  mutable int sectionsStep_ = 0;

  QTabWidget* tabs_ = nullptr;
  std::array<FigureView*, 4> views_{};
  QSlider* slider_ = nullptr;
  QSpinBox* spin_ = nullptr;
  QComboBox* unitsBox_ = nullptr;
  QComboBox* figureSizeBox_ = nullptr;
  QPushButton* saveFigure_ = nullptr;
  QPushButton* saveData_ = nullptr;
  QLabel* status_ = nullptr;
  QLabel* barNote_ = nullptr;
  // "Converged": the same bar solved over lb itself, laid over the load–slip and τ-s curves.
  QCheckBox* convergedSwitch_ = nullptr;
  QLabel* convergedNote_ = nullptr;
  ConvergedOverlay* overlay_ = nullptr;
};

}  // namespace kvt::ui
