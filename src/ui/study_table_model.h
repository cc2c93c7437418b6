// SPDX-License-Identifier: MIT
#pragma once

#include <QAbstractTableModel>
#include <QPointer>
#include <optional>
#include <utility>

#include "analysis/units.h"
#include "study_job.h"

namespace kvt::ui {

// The summary of a study as a table: the columns of kvt-batch's summary, headed with their units,
// numbers to six significant digits (the saved summary has them in full). Every cell sorts by
// its value: numbers as numbers, a bar by its diameter. Rows are added as the study's cases come
// back. With the required length, the design codes' lengths asked for stand beside it.
class StudyTableModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  // The value a cell sorts by.
  static constexpr int kSortRole = Qt::UserRole;

  explicit StudyTableModel(QObject* parent = nullptr);

  void setJob(StudyJob* job);
  void setUnits(UnitSystem units);
  // The study row (index into the job's rows) of a model row.
  const StudyRow* row(int modelRow) const;

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  enum class Column {
    Run,
    Entry,
    Outcome,
    Steps,
    TauMax,
    TauAvgMax,
    PMax,
    PeakLoadedEndSlip,
    PeakFreeEndSlip,
    PeakStep,
    EndSlip,
    YieldForce,
    Required,
    RequiredPMax,
    ShorterPMax,
    LengthsRun,
    Code  // a design code's length, beside the required one
  };
  Column column(int section, std::size_t& entry) const;
  std::optional<std::pair<double, std::optional<Quantity>>> value(const StudyRow& row,
                                                                  Column column) const;
  QVariant display(const StudyRow& row, Column column, std::size_t entry) const;
  QVariant sortValue(const StudyRow& row, Column column, std::size_t entry) const;
  std::size_t entryCount() const;
  std::size_t codeCount() const;

  QPointer<StudyJob> job_;
  UnitSystem units_ = UnitSystem::KgfCm;
  int rows_ = 0;
};

}  // namespace kvt::ui
