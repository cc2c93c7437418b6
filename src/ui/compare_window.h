// SPDX-License-Identifier: MIT
#pragma once

#include <QWidget>
#include <memory>
#include <vector>

#include "analysis/run_record.h"
#include "analysis/units.h"
#include "files/user_prompt.h"

class QPushButton;
class QTableWidget;

namespace kvt::ui {

class KeptRuns;

// "KVT Compare runs": the runs kept in this session, listed with their case, the entries in which
// each differs from the first run chosen, how it ended, Pbumax and τbumax. Runs are chosen by
// ticking them; "Results…" shows a run's results window again, also long after its "OK".
class CompareWindow : public QWidget {
  Q_OBJECT

 public:
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

  QTableWidget* runList() const { return list_; }

 private:
  void buildLayout();
  void addRow(int index);
  void updateRows();
  int currentRun() const;

  KeptRuns& kept_;
  UserPrompt& prompt_;
  UnitSystem units_ = UnitSystem::KgfCm;
  std::vector<int> chosen_;
  QTableWidget* list_ = nullptr;
  QPushButton* results_ = nullptr;
};

}  // namespace kvt::ui
