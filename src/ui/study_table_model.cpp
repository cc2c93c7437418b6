// SPDX-License-Identifier: MIT
#include "study_table_model.h"

#include <limits>
#include <optional>
#include <utility>

#include "batch/code_lengths.h"
#include "batch/jis_bars.h"
#include "batch/study_figures.h"
#include "figures/report_figures.h"
#include "params/parse_number.h"
#include "study_grid_editor.h"

namespace kvt::ui {

namespace {

constexpr int kRunColumns = 10;  // outcome … loaded-end slip at end
constexpr int kLengthColumns = 5;

QString number(double value) {
  return QString::number(value, 'g', 6);
}

QString withUnit(const char* title, Quantity q, UnitSystem units) {
  return QString("%1 (%2)").arg(title, QString::fromStdString(unitSymbol(q, units)));
}

}  // namespace

StudyTableModel::StudyTableModel(QObject* parent) : QAbstractTableModel(parent) {}

void StudyTableModel::setJob(StudyJob* job) {
  beginResetModel();
  if (job_) disconnect(job_, nullptr, this, nullptr);
  job_ = job;
  rows_ = job ? static_cast<int>(job->rows().size()) : 0;
  endResetModel();
  if (!job) return;
  connect(job, &StudyJob::rowsAdded, this, [this](int first, int count) {
    beginInsertRows({}, first, first + count - 1);
    rows_ = first + count;
    endInsertRows();
  });
  connect(job, &QObject::destroyed, this, [this] { setJob(nullptr); });
}

void StudyTableModel::setUnits(UnitSystem units) {
  units_ = units;
  emit headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
  if (rows_ > 0) emit dataChanged(index(0, 0), index(rows_ - 1, columnCount() - 1));
}

const StudyRow* StudyTableModel::row(int modelRow) const {
  if (!job_ || modelRow < 0 || modelRow >= rows_) return nullptr;
  return &job_->rows()[static_cast<std::size_t>(modelRow)];
}

std::size_t StudyTableModel::entryCount() const {
  return job_ ? job_->study().options().grid.entries().size() : 0;
}

int StudyTableModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : rows_;
}

int StudyTableModel::columnCount(const QModelIndex& parent) const {
  if (parent.isValid() || !job_) return 0;
  const bool lengths = job_->study().options().findLb;
  return 1 + static_cast<int>(entryCount()) + kRunColumns +
         (lengths ? kLengthColumns + static_cast<int>(codeCount()) : 0);
}

std::size_t StudyTableModel::codeCount() const {
  const StudyOptions& study = job_->study().options();
  return study.findLb ? study.codes.codes.size() : 0;
}

StudyTableModel::Column StudyTableModel::column(int section, std::size_t& entry) const {
  const auto entries = static_cast<int>(entryCount());
  entry = 0;
  if (section == 0) return Column::Run;
  if (section <= entries) {
    entry = static_cast<std::size_t>(section - 1);
    return Column::Entry;
  }
  const int firstCode = 1 + entries + kRunColumns + kLengthColumns;
  if (section >= firstCode) {
    entry = static_cast<std::size_t>(section - firstCode);
    return Column::Code;
  }
  return static_cast<Column>(section - entries + static_cast<int>(Column::Entry));
}

QVariant StudyTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole || !job_) return {};
  std::size_t entry = 0;
  switch (column(section, entry)) {
    case Column::Run:
      return "run";
    case Column::Entry: {
      const VariedEntry& varied = job_->study().options().grid.entries()[entry];
      const FigureAxis axis = variedEntryAxis(varied.name());
      return QString::fromStdString(varied.isBar() ? std::string("bar") : axis.text());
    }
    case Column::Outcome:
      return "outcome";
    case Column::Steps:
      return "steps";
    case Column::TauMax:
      return withUnit("τbmax", Quantity::Stress, units_);
    case Column::TauAvgMax:
      return withUnit("τbumax", Quantity::Stress, units_);
    case Column::PMax:
      return withUnit("Pbumax", Quantity::Force, units_);
    case Column::PeakLoadedEndSlip:
      return withUnit("loaded-end slip at Pbumax", Quantity::Length, units_);
    case Column::PeakFreeEndSlip:
      return withUnit("free-end slip at Pbumax", Quantity::Length, units_);
    case Column::PeakStep:
      return "step at Pbumax";
    case Column::EndSlip:
      return withUnit("loaded-end slip at end", Quantity::Length, units_);
    case Column::YieldForce:
      return withUnit("fy·Ab", Quantity::Force, units_);
    case Column::Required:
      return "required lb (cm)";
    case Column::RequiredPMax:
      return withUnit("Pbumax at required lb", Quantity::Force, units_);
    case Column::ShorterPMax:
      return withUnit("Pbumax 0.1 cm shorter", Quantity::Force, units_);
    case Column::LengthsRun:
      return "lengths run";
    case Column::Code:
      return QString::fromStdString(
          codeColumnTitle(job_->study().options().codes.codes.at(entry), units_));
  }
  return {};
}

QVariant StudyTableModel::data(const QModelIndex& index, int role) const {
  const StudyRow* shown = row(index.row());
  if (!shown) return {};
  std::size_t entry = 0;
  const Column which = column(index.column(), entry);
  if (role == kSortRole) return sortValue(*shown, which, entry);
  if (role == Qt::ToolTipRole && which == Column::Outcome && !shown->succeeded)
    return QString::fromStdString(shown->outcome);
  if (role == Qt::TextAlignmentRole)
    return which == Column::Outcome || (which == Column::Entry && !shown->values.empty())
               ? QVariant(Qt::AlignLeft | Qt::AlignVCenter)
               : QVariant(Qt::AlignRight | Qt::AlignVCenter);
  if (role != Qt::DisplayRole) return {};
  return display(*shown, which, entry);
}

// A numeric cell's value in kgf and cm, and the quantity it is; nothing for a cell without one.
std::optional<std::pair<double, std::optional<Quantity>>> StudyTableModel::value(
    const StudyRow& row, Column which) const {
  using Value = std::pair<double, std::optional<Quantity>>;
  const bool ran = row.succeeded;
  const RequiredLength* found =
      row.required && row.required->kind == RequiredLength::Kind::Found ? &*row.required : nullptr;
  switch (which) {
    case Column::Run:
      return Value{static_cast<double>(row.gridRun + 1), std::nullopt};
    case Column::Steps:
      if (ran) return Value{row.steps, std::nullopt};
      break;
    case Column::TauMax:
      if (ran) return Value{row.tauMax, Quantity::Stress};
      break;
    case Column::TauAvgMax:
      if (ran) return Value{row.tauAvgMax, Quantity::Stress};
      break;
    case Column::PMax:
      if (ran) return Value{row.PMax, Quantity::Force};
      break;
    case Column::PeakLoadedEndSlip:
      if (ran) return Value{row.peakLoadedEndSlip, Quantity::Length};
      break;
    case Column::PeakFreeEndSlip:
      if (ran) return Value{row.peakFreeEndSlip, Quantity::Length};
      break;
    case Column::PeakStep:
      if (ran) return Value{row.peakStep, std::nullopt};
      break;
    case Column::EndSlip:
      if (ran) return Value{row.endSlip, Quantity::Length};
      break;
    case Column::YieldForce:
      if (row.required) return Value{row.yieldForce, Quantity::Force};
      break;
    case Column::RequiredPMax:
      if (found) return Value{found->PMax, Quantity::Force};
      break;
    case Column::ShorterPMax:
      if (found && found->shorterTenths > 0) return Value{found->shorterPMax, Quantity::Force};
      break;
    case Column::LengthsRun:
      if (row.required) return Value{row.required->runs, std::nullopt};
      break;
    case Column::Entry:
    case Column::Outcome:
    case Column::Required:
    case Column::Code:
      break;
  }
  return std::nullopt;
}

QVariant StudyTableModel::display(const StudyRow& row, Column which, std::size_t entry) const {
  switch (which) {
    case Column::Entry:
      return QString::fromStdString(row.values[entry]);
    case Column::Outcome:
      return QString::fromStdString(row.outcome);
    case Column::Required:
      if (!row.required) return {};
      switch (row.required->kind) {
        case RequiredLength::Kind::Found:
          return QString::fromStdString(lengthText(row.required->tenths));
        case RequiredLength::Kind::NotReached:
          return QString("not reached up to %1 cm")
              .arg(number(job_->study().options().lbMaxTenths / 10.0));
        case RequiredLength::Kind::Failed:
          return QString::fromStdString("failed at lb = " + lengthText(row.required->failedTenths) +
                                        " cm: " + row.required->failure);
      }
      return {};
    case Column::Code:
      if (entry >= row.codeLengths.size()) return {};
      return QString::fromStdString(codeLengthText(row.codeLengths[entry], units_));
    default:
      break;
  }
  const auto cell = value(row, which);
  if (!cell) return {};
  if (!cell->second) return QString::number(static_cast<qlonglong>(cell->first));
  return number(inUnits(cell->first, *cell->second, units_));
}

QVariant StudyTableModel::sortValue(const StudyRow& row, Column which, std::size_t entry) const {
  switch (which) {
    case Column::Entry: {
      const std::string& text = row.values[entry];
      const JisBar* bar =
          job_->study().options().grid.entries()[entry].isBar() ? findJisBar(text) : nullptr;
      return bar ? parseNumber(bar->db) : parseNumber(text);
    }
    case Column::Outcome:
      return display(row, which, entry);
    case Column::Required:
      // Lengths found first, then those not reached, then the failed searches.
      if (!row.required) return std::numeric_limits<double>::infinity();
      if (row.required->kind == RequiredLength::Kind::Found) return row.required->tenths / 10.0;
      return row.required->kind == RequiredLength::Kind::NotReached ? 1e12 : 2e12;
    case Column::Code:
      return entry < row.codeLengths.size() ? row.codeLengths[entry]
                                            : std::numeric_limits<double>::infinity();
    default: {
      // In kgf and cm: the order is the same in any units. Empty cells go last.
      const auto cell = value(row, which);
      return cell ? cell->first : std::numeric_limits<double>::infinity();
    }
  }
}

}  // namespace kvt::ui
