// SPDX-License-Identifier: MIT
#include "bond_law_window.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <charconv>
#include <cmath>

#include "analysis/analysis_error.h"
#include "figure_view.h"
#include "figures/law_figure.h"
#include "files/atomic_write.h"
#include "files/law_file.h"
#include "ui_style.h"
#include "window_placement.h"

namespace kvt::ui {

namespace {

enum Kind { Own = 0, Mc2010 = 1, Table = 2 };

constexpr const char* kLawFilter = "Bond-law files (*.toml)";

QString shortest(double value) {
  char buffer[32];
  return QString::fromStdString(
      std::string(buffer, std::to_chars(buffer, buffer + sizeof buffer, value).ptr));
}

// A box's number, read whole: "38" and "7.5", never "38 MPa" or "3,5".
std::optional<double> boxNumber(const QLineEdit& box) {
  const std::string text = box.text().trimmed().toStdString();
  double value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc() || end != text.data() + text.size() ||
      !std::isfinite(value))
    return std::nullopt;
  return value;
}

}  // namespace

BondLawWindow::BondLawWindow(const AnalysisParameters& parameters, const LawEntries& law,
                             UserPrompt& prompt, QWidget* parent)
    : QWidget(parent, Qt::Window), parameters_(parameters), prompt_(prompt) {
  setObjectName("BondLawWindow");
  setWindowTitle("KVT Bond law");
  useDesignPalette(*this);
  auto* entries = new QVBoxLayout;
  entries->addWidget(buildChoice());
  entries->addWidget(buildMc2010());
  entries->addWidget(buildTable());
  problem_ = new QLabel(this);
  problem_->setObjectName("lawProblem");
  problem_->setWordWrap(true);
  entries->addWidget(problem_);
  entries->addStretch();
  view_ = new FigureView(this);
  view_->setMinimumSize(560, 380);
  auto* top = new QHBoxLayout;
  top->addLayout(entries);
  top->addWidget(view_, 1);

  auto* open = new QPushButton("Open…", this);
  auto* save = new QPushButton("Save…", this);
  use_ = new QPushButton("Use for the next runs", this);
  auto* close = new QPushButton("Close", this);
  open->setObjectName("openLaw");
  save->setObjectName("saveLaw");
  use_->setObjectName("useLaw");
  connect(open, &QPushButton::clicked, this, &BondLawWindow::openLawFile);
  connect(save, &QPushButton::clicked, this, &BondLawWindow::saveLawFile);
  connect(use_, &QPushButton::clicked, this, &BondLawWindow::useLaw);
  connect(close, &QPushButton::clicked, this, &QWidget::close);
  auto* buttons = new QHBoxLayout;
  for (QPushButton* b : {open, save})
    buttons->addWidget(b);
  buttons->addStretch();
  for (QPushButton* b : {use_, close})
    buttons->addWidget(b);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top, 1);
  layout->addLayout(buttons);
  setLaw(law);
  resize(1100, 560);
  centreOnScreen(*this);
}

QWidget* BondLawWindow::buildChoice() {
  auto* box = new QGroupBox("Bond law of the next runs", this);
  auto* layout = new QVBoxLayout(box);
  kind_ = new QButtonGroup(box);
  const char* names[] = {"kvt's own law (the parameter window's entries)", "fib MC2010",
                         "Table of measured points (CSV)"};
  for (int k = Own; k <= Table; ++k) {
    auto* button = new QRadioButton(names[k], box);
    button->setObjectName(QStringLiteral("lawKind%1").arg(k));
    kind_->addButton(button, k);
    layout->addWidget(button);
  }
  connect(kind_, &QButtonGroup::idClicked, this, &BondLawWindow::refresh);
  units_ = new QComboBox(box);
  units_->setObjectName("lawUnits");
  units_->addItems({"kgf-cm", "SI"});
  connect(units_, &QComboBox::currentIndexChanged, this, &BondLawWindow::refresh);
  layout->addWidget(units_);
  return box;
}

QLineEdit* BondLawWindow::addNumber(QFormLayout& form, const char* name, const char* label) {
  auto* box = new QLineEdit(this);
  box->setObjectName(name);
  connect(box, &QLineEdit::textEdited, this, &BondLawWindow::refresh);
  form.addRow(label, box);
  return box;
}

QGroupBox* BondLawWindow::buildMc2010() {
  mc2010Box_ = new QGroupBox("fib MC2010 (MPa, mm)", this);
  auto* form = new QFormLayout(mc2010Box_);
  strengthKind_ = new QComboBox(mc2010Box_);
  strengthKind_->setObjectName("strengthKind");
  strengthKind_->addItems({"fcm (MPa)", "fck (MPa), fcm = fck + 8"});
  strength_ = new QLineEdit(mc2010Box_);
  strength_->setObjectName("strength");
  form->addRow(strengthKind_, strength_);
  bond_ = new QComboBox(mc2010Box_);
  bond_->setObjectName("bond");
  bond_->addItems({"good", "other"});
  form->addRow("bond conditions", bond_);
  failure_ = new QComboBox(mc2010Box_);
  failure_->setObjectName("failure");
  failure_->addItems({"pull-out", "splitting", "lower"});
  form->addRow("failure", failure_);
  cClear_ = addNumber(*form, "c_clear", "c_clear, clear rib spacing (mm)");
  cMin_ = addNumber(*form, "c_min", "c_min (mm), splitting");
  cMax_ = addNumber(*form, "c_max", "c_max (mm), splitting");
  km_ = addNumber(*form, "km", "km");
  Ktr_ = addNumber(*form, "Ktr", "Ktr (above 0: stirrups)");
  connect(strength_, &QLineEdit::textEdited, this, &BondLawWindow::refresh);
  for (QComboBox* c : {strengthKind_, bond_, failure_})
    connect(c, &QComboBox::currentIndexChanged, this, &BondLawWindow::refresh);
  return mc2010Box_;
}

QGroupBox* BondLawWindow::buildTable() {
  tableBox_ = new QGroupBox("Table of points", this);
  auto* layout = new QHBoxLayout(tableBox_);
  tableFile_ = new QLabel("no file chosen", tableBox_);
  tableFile_->setObjectName("tableFile");
  tableFile_->setWordWrap(true);
  auto* choose = new QPushButton("Choose CSV…", tableBox_);
  choose->setObjectName("chooseTable");
  connect(choose, &QPushButton::clicked, this, &BondLawWindow::chooseTable);
  layout->addWidget(tableFile_, 1);
  layout->addWidget(choose);
  return tableBox_;
}

std::optional<Mc2010Entries> BondLawWindow::mc2010Entries(QString& problem) const {
  Mc2010Entries e;
  const auto read = [&](const QLineEdit* box, const char* name, bool needed) {
    if (!needed) return 0.0;
    const std::optional<double> value = boxNumber(*box);
    if (!value && problem.isEmpty()) problem = QStringLiteral("%1 is not a number").arg(name);
    return value.value_or(0.0);
  };
  const double strength = read(strength_, "the strength", true);
  if (strengthKind_->currentIndex() == 1) e.fck = strength;
  e.fcm = e.fck ? *e.fck + 8 : strength;
  e.bond = bond_->currentIndex() == 0 ? Mc2010Entries::Bond::Good : Mc2010Entries::Bond::Other;
  e.failure = static_cast<Mc2010Entries::Failure>(failure_->currentIndex());
  const bool splitting = e.failure != Mc2010Entries::Failure::PullOut;
  e.cClear = read(cClear_, "c_clear", true);
  e.cMin = read(cMin_, "c_min", splitting);
  e.cMax = read(cMax_, "c_max", splitting);
  e.km = read(km_, "km", true);
  e.Ktr = read(Ktr_, "Ktr", true);
  if (!problem.isEmpty()) return std::nullopt;
  return e;
}

std::optional<LawEntries> BondLawWindow::law() const {
  QString ignored;
  switch (kind_->checkedId()) {
    case Mc2010:
      if (auto e = mc2010Entries(ignored)) return LawEntries{*e};
      return std::nullopt;
    case Table:
      if (table_) return LawEntries{*table_};
      return std::nullopt;
    default:
      return LawEntries{KvtLawEntries{}};
  }
}

// Why the entries give no law: a box that is no number, no table chosen, or the law's own
// refusal for the case's bar (a descending branch of no length, splitting that cannot govern).
QString BondLawWindow::problem() const {
  QString problem;
  if (kind_->checkedId() == Mc2010) mc2010Entries(problem);
  if (kind_->checkedId() == Table && !table_) problem = "Choose the CSV file of the points.";
  if (!problem.isEmpty()) return problem;
  try {
    formRunLaw(*law(), parameters_);
  } catch (const AnalysisError& error) {
    return QString::fromStdString(error.what());
  }
  return {};
}

void BondLawWindow::showMc2010(const Mc2010Entries& e) {
  strengthKind_->setCurrentIndex(e.fck ? 1 : 0);
  strength_->setText(shortest(e.fck ? *e.fck : e.fcm));
  bond_->setCurrentIndex(e.bond == Mc2010Entries::Bond::Good ? 0 : 1);
  failure_->setCurrentIndex(static_cast<int>(e.failure));
  cClear_->setText(shortest(e.cClear));
  cMin_->setText(shortest(e.cMin));
  cMax_->setText(shortest(e.cMax));
  km_->setText(shortest(e.km));
  Ktr_->setText(shortest(e.Ktr));
}

void BondLawWindow::setLaw(const LawEntries& law) {
  // Every kind keeps entries to start from, so switching kinds never shows empty boxes.
  Mc2010Entries mc;
  if (const auto* e = std::get_if<Mc2010Entries>(&law)) mc = *e;
  // The covers count only for splitting; a law without them starts from 20 mm.
  if (mc.cMin == 0 && mc.cMax == 0) mc.cMin = mc.cMax = 20;
  showMc2010(mc);
  if (const auto* t = std::get_if<TableEntries>(&law)) {
    table_ = *t;
    tableFile_->setText(QString::fromStdString(t->source));
  }
  kind_->button(static_cast<int>(law.index()))->setChecked(true);
  refresh();
}

void BondLawWindow::refresh() {
  mc2010Box_->setEnabled(kind_->checkedId() == Mc2010);
  tableBox_->setEnabled(kind_->checkedId() == Table);
  const QString why = problem();
  problem_->setText(why);
  use_->setEnabled(why.isEmpty());
  const UnitSystem units = units_->currentIndex() == 1 ? UnitSystem::SI : UnitSystem::KgfCm;
  view_->setFigure(lawChoiceFigure(law().value_or(KvtLawEntries{}), parameters_, units));
}

void BondLawWindow::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  refresh();  // the parameter window's entries may have changed since
}

void BondLawWindow::openLawFile() {
  const std::string path = prompt_.openFileName("Open a bond-law file", kLawFilter);
  if (path.empty()) return;
  try {
    setLaw(readLawFile(path));
  } catch (const LawFileError& error) {
    prompt_.warning("KVT", error.what());
  }
}

void BondLawWindow::saveLawFile() {
  const std::optional<LawEntries> entries = law();
  if (!entries) {
    prompt_.warning("KVT", "The law was not saved. " + problem().toStdString());
    return;
  }
  const std::string path = prompt_.saveFileName("Save the bond law", "law.toml", kLawFilter);
  if (path.empty()) return;
  try {
    kvt::saveLawFile(path, *entries);
  } catch (const FileWriteError& error) {
    prompt_.warning("KVT", error.what());
  }
}

void BondLawWindow::chooseTable() {
  const std::string path = prompt_.openFileName("Choose the points of the law", "Points (*.csv)");
  if (path.empty()) return;
  try {
    table_ = readLawTable(path);
    tableFile_->setText(QString::fromStdString(table_->source));
  } catch (const LawFileError& error) {
    prompt_.warning("KVT", error.what());
  }
  refresh();
}

void BondLawWindow::useLaw() {
  if (const std::optional<LawEntries> entries = law(); entries && problem().isEmpty())
    emit lawChosen(*entries);
}

}  // namespace kvt::ui
