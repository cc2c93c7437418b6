// SPDX-License-Identifier: MIT
#pragma once

#include <QWidget>
#include <string>
#include <variant>
#include <vector>

#include "batch/study_grid.h"
#include "figures/figure.h"

class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;

namespace kvt::ui {

// The entries a study varies, one row each: the entry (by the name kvt-batch's --vary takes,
// shown with the parameter window's label and unit) and its values, written as for --vary: a
// list ("10,20,30", "D13,D19" for a bar), a range START:STOP:STEP, bare numbers in the window's
// units or with a unit of their own ("100:600:50mm"). Each row says how many values it gives or
// what is wrong with it, as soon as it is typed.
class StudyGridEditor : public QWidget {
  Q_OBJECT

 public:
  // `offered`: the --vary names the user may choose from, in the order shown.
  explicit StudyGridEditor(std::vector<std::string> offered, QWidget* parent = nullptr);

  void addEntry(const std::string& name, const std::string& values);
  void removeEntry(int row);
  int entryCount() const { return static_cast<int>(rows_.size()); }
  QComboBox* nameBox(int row) const { return rows_.at(static_cast<std::size_t>(row)).name; }
  QLineEdit* valuesBox(int row) const { return rows_.at(static_cast<std::size_t>(row)).values; }

  // The grid of the rows, or one line saying what stops it, naming the entry.
  std::variant<StudyGrid, std::string> grid() const;
  // What the user should know before the study runs: a range that stops short of its stop.
  std::vector<std::string> notes() const;
  // "12 runs; lb: the range ends at 19", counting in `noun` ("run", "case").
  QString planText(const StudyGrid& grid, const char* noun) const;
  // The rows as one text that changes with any of them ("bar=D13,D19\nlb=10:60:5").
  std::string setupText() const;

 signals:
  void changed();

 private:
  struct Row {
    QComboBox* name = nullptr;
    QLineEdit* values = nullptr;
    QLabel* count = nullptr;
    QPushButton* remove = nullptr;
  };
  void updateRow(const Row& row);
  void relayout();

  std::vector<std::string> offered_;
  std::vector<Row> rows_;
  QGridLayout* grid_ = nullptr;
  QPushButton* add_ = nullptr;
};

// A varied entry by its --vary name as the parameter window labels it, with the window's unit:
// "lb" gives {"lb", "cm"}, "sigmaB" {"σB", "kgf/cm²"}, "bar" {"bar diameter db", "cm"}.
FigureAxis variedEntryAxis(std::string_view name);

// A message of kvt-batch's --vary without the option's name, as a window shows it.
std::string withoutOptionName(std::string message);

}  // namespace kvt::ui
