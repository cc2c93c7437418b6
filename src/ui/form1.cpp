// SPDX-License-Identifier: MIT
#include "form1.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include <limits>

#include "analysis/analysis_error.h"
#include "analysis/march_notes.h"
#include "analysis/pull_out_run.h"
#include "bond_law_window.h"
#include "compare_window.h"
#include "frm_open_save.h"
#include "kept_runs.h"
#include "parameter_tooltips.h"
#include "params/commit_parameters.h"
#include "params/numeric_boxes.h"
#include "params/parse_number.h"
#include "run_controller.h"
#include "twips.h"
#include "ui_style.h"
#include "window_placement.h"

namespace kvt::ui {

namespace {

constexpr int kDeltaLBox = 4;
constexpr int kLbBox = 6;
constexpr int kInitialDsBox = 20;

}  // namespace

Form1::Form1(AnalysisParameters& record, UserPrompt& prompt, const Clock& clock, QWidget* parent)
    : QWidget(parent),
      entries_(record),
      prompt_(prompt),
      clock_(clock),
      keptRuns_(std::make_unique<KeptRuns>(prompt)) {
  setObjectName("Form1");
  setWindowTitle("KVT Parameter");
  useDesignPalette(*this);
  // The client area keeps the size it was drawn with; the menu bar stands above it, and the
  // window is as large as the two together.
  client_ = new QWidget(this);
  client_->setObjectName("Form1Client");
  client_->setFixedSize(twipsSize(7305, 6180));
  buildLayout();
  buildMenuBar();
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->setMenuBar(menuBar_);
  layout->addWidget(client_);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  layout->activate();
  setParameterToolTips(*this);
  bindEntries();
  // The load step: the defaults, shown in their patterns, each box's rule run by its filling.
  entries_.loadDefaults();
  centreOnScreen(*this);
}

Form1::~Form1() = default;

QLineEdit* Form1::box(int number) const {
  return boxes_.at(static_cast<std::size_t>(number));
}

void Form1::bindEntries() {
  entries_.onTextChanged([this](int number) {
    const QString text = QString::fromStdString(entries_.text(number));
    QLineEdit* target = box(number);
    if (target->text() == text) return;
    target->setText(text);
    // A text set by a rule or a file is shown from its start, as a box shows what it was given.
    if (!target->hasFocus()) target->setCursorPosition(0);
  });
  entries_.onDetailOutputChanged([this](bool checked) {
    if (check1_->isChecked() != checked) check1_->setChecked(checked);
  });
  for (int number = 1; number <= BoxTexts::kLast; ++number) {
    if (!box(number)) continue;
    box(number)->setMaxLength(std::numeric_limits<int>::max());  // not Qt's 32,767: keep it all
    connect(box(number), &QLineEdit::textChanged, this, [this, number](const QString& text) {
      showBoxError(number, entries_.setText(number, text.toStdString()));
    });
    // Left, a box shows its text from the first character again, however it was scrolled.
    connect(box(number), &QLineEdit::editingFinished, box(number), [target = box(number)] {
      if (!target->hasFocus()) target->setCursorPosition(0);
    });
  }
  connect(check1_, &QCheckBox::clicked, this,
          [this](bool checked) { entries_.setDetailOutput(checked); });
}

// A rule's numeric check that fired while the user types is shown on the box itself (red text and
// a tooltip) rather than in a message box that would interrupt the typing; "Execute" checks the
// entries again and reports in a message box. A text read only in part is marked there too.
void Form1::showBoxError(int number, const std::optional<NumericError>& error) {
  errors_.at(static_cast<std::size_t>(number)) = error;
  if (number == kLbBox || number == kDeltaLBox || number == kInitialDsBox) {
    runNote_.reset();
    markDeltaL();
  }
  if (number != kDeltaLBox) markBox(*box(number), number, error);
}

// The Δl box says what the march makes of the bar: the length it analyses when that is not lb,
// and after a run a rising branch that its first step already passed.
void Form1::markDeltaL() {
  const auto read = [this](int number) {
    return static_cast<float>(parseNumber(entries_.text(number)));
  };
  std::vector<std::string> notes;
  if (auto note = analysedLengthNote(read(kLbBox), read(kDeltaLBox))) notes.push_back(*note);
  if (runNote_) notes.push_back(*runNote_);
  markBox(*box(kDeltaLBox), kDeltaLBox, errors_.at(kDeltaLBox), notes);
}

void Form1::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (!loaded_) {
    loaded_ = true;
    execute_->setFocus();  // Enter right after start runs the defaults
  }
  if (controller_ && controller_->run().ended()) {
    runNote_ = risingBranchNote(controller_->run());
    markDeltaL();
  }
}

void Form1::closeEvent(QCloseEvent* event) {
  QWidget::closeEvent(event);
  // Closed from its frame, the parameter window ends the program, as "Exit" does, even while a
  // results or comparison window is still open.
  if (event->spontaneous()) exitProgram();
}

void Form1::openParameterFile() {
  showOpenSave(entries_, parameterFileLines_, prompt_, false, this);
}

void Form1::saveParameterFile() {
  showOpenSave(entries_, parameterFileLines_, prompt_, true, this);
}

void Form1::exitProgram() {
  QCoreApplication::exit(0);
}

void Form1::execute() {
  // A run still unwinding after its windows were closed finishes before another can start.
  if (controller_ && controller_->isRunning()) return;
  try {
    commitParameters(entries_.texts(), entries_.record());
  } catch (const NumericError& error) {
    prompt_.warning("KVT", "The analysis was not started. " + error.message);
    return;
  }
  // A run bound to fail at once is refused here, in the run's own words, before its windows open
  // and before its result file is created or cut short.
  try {
    PullOutRun::checkBeforeRun(entries_.record(), law_);
  } catch (const Error& error) {
    prompt_.warning("KVT", error.what());
    return;
  }
  hide();
  controller_ = std::make_unique<RunController>(entries_.record(), entries_.caseSource(), law_,
                                                *this, prompt_, clock_, *keptRuns_);
  controller_->start();
}

}  // namespace kvt::ui

namespace kvt::ui {

void Form1::showLastResults() {
  if (controller_ && controller_->isRunning()) return;
  if (keptRuns_->count() > 0) keptRuns_->showResults(keptRuns_->count() - 1);
}

CompareWindow* Form1::openComparison() {
  if (!comparison_) comparison_ = std::make_unique<CompareWindow>(*keptRuns_, prompt_);
  comparison_->show();
  comparison_->raise();
  comparison_->activateWindow();
  return comparison_.get();
}

// The law chosen there is the law of every later run, until another is chosen.
BondLawWindow* Form1::openBondLaw() {
  if (!lawWindow_) {
    lawWindow_ = new BondLawWindow(entries_.record(), law_, prompt_, this);
    lawWindow_->setWindowFlag(Qt::Window);
    lawWindow_->setAttribute(Qt::WA_DeleteOnClose);
    connect(lawWindow_, &BondLawWindow::lawChosen, this,
            [this](const LawEntries& law) { law_ = law; });
  }
  lawWindow_->show();
  lawWindow_->raise();
  lawWindow_->activateWindow();
  return lawWindow_;
}

}  // namespace kvt::ui
