// SPDX-License-Identifier: MIT
#include "study_grid_editor.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "batch/entry_quantity.h"
#include "batch/jis_bars.h"

namespace kvt::ui {

namespace {

QString q(const std::string& text) {
  return QString::fromStdString(text);
}

// "lb, cm", "sigmaB — σB, kgf/cm²": the --vary name, then the window's label and unit.
QString entryText(const std::string& name) {
  const FigureAxis axis = variedEntryAxis(name);
  if (name == "bar") return "bar — JIS bar size (db, Ab, φ)";
  std::string text = axis.title == name ? name : name + " — " + axis.title;
  if (!axis.unit.empty()) text += ", " + axis.unit;
  return q(text);
}

QString placeholder(const std::string& name) {
  if (name == "bar") {
    std::string sizes;
    for (const JisBar& bar : kJisBars)
      sizes += (sizes.empty() ? "" : ",") + std::string(bar.name);
    return q("D13,D19,D25 (of " + sizes + ")");
  }
  const std::string unit = variedEntryAxis(name).unit;
  return q("10,20,30 or 10:60:5" + (unit.empty() ? "" : " (" + unit + ", or with a unit: 100mm)"));
}

std::string nameOf(const QComboBox& box) {
  return box.currentData().toString().toStdString();
}

std::variant<VariedEntry, std::string> parseRow(const std::string& name, const QString& values) {
  if (values.trimmed().isEmpty()) return name + ": give its values";
  return VariedEntry::parse(name + "=" + values.trimmed().toStdString());
}

}  // namespace

FigureAxis variedEntryAxis(std::string_view name) {
  const EntryQuantity* entry = findEntryQuantity(name);
  if (!entry) return {std::string(name), ""};
  return {std::string(entry->title), shownUnit(*entry, UnitSystem::KgfCm).symbol};
}

std::string withoutOptionName(std::string message) {
  for (const std::string_view prefix : {"--vary: ", "--vary "})
    if (message.starts_with(prefix)) return message.substr(prefix.size());
  return message;
}

StudyGridEditor::StudyGridEditor(std::vector<std::string> offered, QWidget* parent)
    : QWidget(parent), offered_(std::move(offered)) {
  grid_ = new QGridLayout;
  grid_->setColumnStretch(1, 1);
  add_ = new QPushButton("&Add entry", this);
  add_->setObjectName("addEntryButton");
  connect(add_, &QPushButton::clicked, this, [this] {
    // The first entry not yet varied.
    for (const std::string& name : offered_)
      if (std::none_of(rows_.begin(), rows_.end(),
                       [&](const Row& row) { return nameOf(*row.name) == name; })) {
        addEntry(name, "");
        // Shown at once, not when the layout gets to it, so that what is typed next lands in it.
        rows_.back().values->show();
        rows_.back().values->setFocus();
        return;
      }
  });
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addLayout(grid_);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(add_);
  buttons->addStretch(1);
  layout->addLayout(buttons);
  layout->addStretch(1);  // the rows at the top, however tall the box
}

void StudyGridEditor::addEntry(const std::string& name, const std::string& values) {
  Row row;
  row.name = new QComboBox(this);
  row.name->setObjectName("entryName");
  for (const std::string& offered : offered_)
    row.name->addItem(entryText(offered), q(offered));
  row.name->setCurrentIndex(std::max(0, row.name->findData(q(name))));
  row.values = new QLineEdit(q(values), this);
  row.values->setObjectName("entryValues");
  row.count = new QLabel(this);
  row.count->setObjectName("entryCount");
  row.count->setWordWrap(true);
  row.remove = new QPushButton("Remove", this);
  row.remove->setObjectName("removeEntryButton");
  rows_.push_back(row);
  const auto refresh = [this, values = row.values] {
    for (const Row& r : rows_)
      if (r.values == values) updateRow(r);
    emit changed();
  };
  connect(row.name, &QComboBox::currentIndexChanged, this, refresh);
  connect(row.values, &QLineEdit::textChanged, this, refresh);
  connect(row.remove, &QPushButton::clicked, this, [this, values = row.values] {
    for (std::size_t k = 0; k < rows_.size(); ++k)
      if (rows_[k].values == values) removeEntry(static_cast<int>(k));
  });
  relayout();
  updateRow(row);
  emit changed();
}

void StudyGridEditor::removeEntry(int index) {
  const auto at = rows_.begin() + index;
  for (QWidget* widget : {static_cast<QWidget*>(at->name), static_cast<QWidget*>(at->values),
                          static_cast<QWidget*>(at->count), static_cast<QWidget*>(at->remove)})
    widget->deleteLater();
  rows_.erase(at);
  relayout();
  emit changed();
}

void StudyGridEditor::relayout() {
  for (int k = 0; k < static_cast<int>(rows_.size()); ++k) {
    const Row& row = rows_[static_cast<std::size_t>(k)];
    grid_->addWidget(row.name, k, 0);
    grid_->addWidget(row.values, k, 1);
    grid_->addWidget(row.count, k, 2);
    grid_->addWidget(row.remove, k, 3);
  }
  add_->setEnabled(rows_.size() < offered_.size());
}

void StudyGridEditor::updateRow(const Row& row) {
  const std::string name = nameOf(*row.name);
  row.values->setPlaceholderText(placeholder(name));
  const auto parsed = parseRow(name, row.values->text());
  if (const auto* error = std::get_if<std::string>(&parsed)) {
    row.count->setText("—");
    row.count->setToolTip(q(withoutOptionName(*error)));
    return;
  }
  const VariedEntry& entry = std::get<VariedEntry>(parsed);
  const std::uint64_t size = entry.size();
  row.count->setText(q(std::to_string(size) + (size == 1 ? " value" : " values")));
  row.count->setToolTip(entry.shortfall() ? q(withoutOptionName(*entry.shortfall())) : QString());
}

std::variant<StudyGrid, std::string> StudyGridEditor::grid() const {
  std::vector<VariedEntry> entries;
  for (const Row& row : rows_) {
    auto parsed = parseRow(nameOf(*row.name), row.values->text());
    if (auto* error = std::get_if<std::string>(&parsed)) return withoutOptionName(*error);
    VariedEntry& entry = std::get<VariedEntry>(parsed);
    if (auto clash = variedEntryClash(entries, entry)) return *clash;
    if (auto problem = variedDsProblem(entry)) return "ds: " + *problem;
    entries.push_back(std::move(entry));
  }
  return StudyGrid(std::move(entries));
}

std::vector<std::string> StudyGridEditor::notes() const {
  std::vector<std::string> notes;
  for (const Row& row : rows_) {
    const auto parsed = parseRow(nameOf(*row.name), row.values->text());
    if (const auto* entry = std::get_if<VariedEntry>(&parsed))
      if (auto note = entry->shortfall()) notes.push_back(withoutOptionName(*note));
  }
  return notes;
}

QString StudyGridEditor::planText(const StudyGrid& grid, const char* noun) const {
  const std::uint64_t count = grid.size();
  QString plan = count == UINT64_MAX
                     ? QString("Too many %1s to count").arg(noun)
                     : QString("%1 %2%3").arg(count).arg(noun).arg(count == 1 ? "" : "s");
  for (const std::string& note : notes())
    plan += "; " + q(note);
  return plan;
}

std::string StudyGridEditor::setupText() const {
  std::string text;
  for (const Row& row : rows_)
    text += '\n' + nameOf(*row.name) + '=' + row.values->text().toStdString();
  return text;
}

}  // namespace kvt::ui
