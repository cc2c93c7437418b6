// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>
#include <functional>
#include <memory>
#include <optional>
#include <thread>
#include <vector>

#include "study_host.h"
#include "study_job.h"

namespace kvt::ui {

// What a row of a study offers: its run again, to be shown or compared, and its entries put
// into the parameter window. A row keeps no record, so its run is made again, off the window's
// thread, from the study's own engine: runs are deterministic, so it is the run the row
// summarises. With the required length, the run is the one at that length or 0.1 cm shorter.
class StudyRowActions : public QObject {
  Q_OBJECT

 public:
  // Which run of a row.
  enum class Run { Case, AtRequiredLength, Shorter };

  explicit StudyRowActions(StudyHost& host, QObject* parent = nullptr);
  // Waits for the runs under way.
  ~StudyRowActions() override;

  // The length the run is made at, in tenths of a cm; nothing for the case's own lb, and for a
  // required length that was not found.
  static std::optional<int> lengthOf(const StudyRow& row, Run run);

  void open(std::shared_ptr<const StudyEngine> engine, const StudyRow& row, Run run);
  void sendToComparison(std::shared_ptr<const StudyEngine> engine, const StudyRow& row, Run run);
  // The row's entries into the parameter window's boxes, as a user would type them.
  void useAsCase(const StudyEngine& engine, const StudyRow& row, Run run);
  // The runs under way.
  int pending() const { return pending_; }

 signals:
  // A run asked for is done and handed on.
  void runDone(std::shared_ptr<const kvt::RunRecord> run);

 private:
  void runAgain(std::shared_ptr<const StudyEngine> engine, const StudyRow& row, Run run,
                std::function<void(std::shared_ptr<const RunRecord>)> then);

  StudyHost& host_;
  std::vector<std::jthread> threads_;
  int pending_ = 0;
};

}  // namespace kvt::ui
