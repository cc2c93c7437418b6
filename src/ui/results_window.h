// SPDX-License-Identifier: MIT
#pragma once

#include <QWidget>
#include <array>
#include <string>
#include <vector>

#include "analysis/run_observer.h"
#include "figures/figure.h"
#include "figures/run_record.h"
#include "files/user_prompt.h"
#include "output/units.h"

class QComboBox;
class QLabel;
class QPushButton;
class QSlider;
class QSpinBox;
class QTabWidget;

namespace kvt::ui {

class FigureView;

// "KVT Results": the four report figures of one run (load–slip, τ-s, the distribution along the
// bar at a chosen step, and the bond law), a step selector, a units switch, and "Save figure…"
// and "Save data…". It keeps its own copy of the run's results, so it stays open and usable when
// the analysis windows have gone; each run opens its own. While the run goes on it receives the
// run's steps and shows them at the run's frame rate. A step's distribution is marched again
// from that step's free-end slip when the step is chosen, so nothing per segment is kept.
class ResultsWindow : public QWidget, public RunObserver {
  Q_OBJECT

 public:
  enum class Tab { LoadSlip, TauSlip, Distribution, BondLaw };

  // `run` holds the steps so far; `prompt` asks for file names and reports failed saves.
  ResultsWindow(RunRecord run, UserPrompt& prompt, QWidget* parent = nullptr);
  ~ResultsWindow() override;

  void runStarted(const RunStart& start) override;
  bool needsSections(int step) const override { return (void)step, false; }
  void stepFinished(const StepResult& result) override;
  void runFinished(const StepResult& last) override;
  void runStopped(int step) override;
  void runFailed(const std::string& reason);

  // Brings the figure on view up to date with the steps received.
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
  bool saveFigure(const std::string& path);
  bool saveData(const std::string& path);
  const RunRecord& run() const { return run_; }

 private:
  void buildLayout();
  void refresh(Tab tab);
  void markStale();
  void updateSelector();
  void updateStatus();
  void chooseStep(int step);
  const std::vector<SectionRow>& sectionsOf(int step) const;
  FigureView* view(Tab tab) const;
  std::string baseName() const;
  void askAndSave(bool figureFile);

  RunRecord run_;
  UserPrompt& prompt_;
  UnitSystem units_ = UnitSystem::KgfCm;
  bool followPeak_ = true;
  int chosenStep_ = 0;
  std::string state_ = "running";
  std::array<bool, 4> stale_{true, true, true, true};
  mutable std::vector<SectionRow> sections_;
  mutable int sectionsStep_ = 0;

  QTabWidget* tabs_ = nullptr;
  std::array<FigureView*, 4> views_{};
  QSlider* slider_ = nullptr;
  QSpinBox* spin_ = nullptr;
  QComboBox* unitsBox_ = nullptr;
  QPushButton* saveFigure_ = nullptr;
  QPushButton* saveData_ = nullptr;
  QLabel* status_ = nullptr;
};

}  // namespace kvt::ui
