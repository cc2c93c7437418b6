// SPDX-License-Identifier: MIT
// The parameter window's menu bar. Where a button does the same, the item calls the button's own
// handler, so the two can never drift apart.
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>

#include "form1.h"
#include "help_windows.h"
#include "kept_runs.h"
#include "study_launch.h"

namespace kvt::ui {

namespace {

template <class Handler>
QAction* addItem(QMenu* menu, const char* name, const char* text, const QKeySequence& keys,
                 Form1* receiver, Handler handler) {
  QAction* action = menu->addAction(QString::fromUtf8(text));
  action->setObjectName(name);
  action->setShortcut(keys);
  // The shortcut works while the focus is in any box of the window.
  action->setShortcutContext(Qt::WindowShortcut);
  QObject::connect(action, &QAction::triggered, receiver, handler);
  return action;
}

}  // namespace

void Form1::buildMenuBar() {
  menuBar_ = new QMenuBar(this);
  menuBar_->setObjectName("Form1MenuBar");
  menuBar_->setNativeMenuBar(false);  // above the client area on every desktop

  QMenu* file = menuBar_->addMenu("&File");
  file->setObjectName("fileMenu");
  addItem(file, "openItem", "&Open…", QKeySequence::Open, this, &Form1::openParameterFile);
  addItem(file, "saveItem", "&Save…", QKeySequence::Save, this, &Form1::saveParameterFile);
  file->addSeparator();
  addItem(file, "exitItem", "E&xit", QKeySequence(Qt::CTRL | Qt::Key_Q), this, &Form1::exitProgram);

  QMenu* analysis = menuBar_->addMenu("&Analysis");
  analysis->setObjectName("analysisMenu");
  addItem(analysis, "executeItem", "&Execute", QKeySequence(Qt::Key_F5), this, &Form1::execute);
  analysis->addSeparator();
  addItem(analysis, "studyItem", "&Study…", {}, this, [this] { openStudyWindow(*this); });
  addItem(analysis, "requiredLengthItem", "&Required bond length…", {}, this,
          [this] { openRequiredLengthWindow(*this); });
  analysis->addSeparator();
  addItem(analysis, "bondLawItem", "&Bond law…", {}, this, &Form1::openBondLaw);

  QMenu* results = menuBar_->addMenu("&Results");
  results->setObjectName("resultsMenu");
  QAction* last = addItem(results, "lastResultsItem", "Results of the &last run",
                          QKeySequence(Qt::CTRL | Qt::Key_R), this, &Form1::showLastResults);
  addItem(results, "compareItem", "&Compare runs…", {}, this, &Form1::openComparison);
  // Nothing to show before the first run that made a step.
  connect(results, &QMenu::aboutToShow, this,
          [this, last] { last->setEnabled(keptRuns().count() > 0); });

  QMenu* help = menuBar_->addMenu("&Help");
  help->setObjectName("helpMenu");
  addItem(help, "manualItem", "kvt &manual", QKeySequence::HelpContents, this,
          [this] { openManual(this); });
  addItem(help, "aboutItem", "&About kvt", {}, this, [this] { openAbout(this); });
}

}  // namespace kvt::ui
