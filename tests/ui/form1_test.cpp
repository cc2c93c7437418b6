// SPDX-License-Identifier: MIT
#include "ui/form1.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>

#include "params/numeric_boxes.h"
#include "support/fake_prompt.h"
#include "support/fixed_clock.h"
#include "support/temp_dir.h"
#include "ui/help_windows.h"
#include "ui/run_controller.h"
#include "ui/ui_style.h"

using kvt::AnalysisParameters;
using kvt::ui::Form1;

class Form1Test : public QObject {
  Q_OBJECT

  kvt::testing::FakePrompt prompt_;
  kvt::testing::FixedClock clock_;

 private slots:
  void init() { prompt_ = {}; }

  void loadStepShowsTheDefaultsAndKeepsTheRecordInStep() {
    AnalysisParameters record;
    Form1 form(record, prompt_, clock_);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QCOMPARE(form.windowTitle(), QString("KVT Parameter"));
    QCOMPARE(form.box(1)->text(), QString("Please input the comment."));
    const std::pair<int, const char*> shown[] = {
        {2, "1.480"},  {3, "102.0"},      {4, "0.65"},   {5, "3.25"},    {6, "20.00"},
        {7, "360.00"}, {8, "30.00"},      {9, "2.400"},  {10, "1.30"},   {11, "1.27"},
        {12, "4.00"},  {13, "2.100"},     {14, "0.200"}, {15, "118.00"}, {16, "9.98"},
        {17, "1.000"}, {20, "0.0000100"}, {21, "0.00"},  {22, "0.00"}};
    for (const auto& [number, text] : shown)
      QCOMPARE(form.box(number)->text(), QString(text));
    AnalysisParameters defaults;
    kvt::setDefaults(defaults);
    defaults.comment = "Please input the comment.";
    QVERIFY(record == defaults);
    QVERIFY(!form.detailOutputBox()->isChecked());
    QCOMPARE(QApplication::focusWidget(), form.findChild<QPushButton*>("Command1"));
  }

  // The menu bar stands above the client area, which keeps the drawn size: every control is in
  // the client area, so its geometry is the drawn one whatever the menu bar's height.
  void layoutFollowsTheDrawing() {
    AnalysisParameters record;
    Form1 form(record, prompt_, clock_);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QWidget* client = form.clientArea();
    QCOMPARE(client->size(), QSize(487, 412));  // 7305 × 6180 twips
    QCOMPARE(client->pos(), QPoint(0, form.menuBar()->height()));
    QCOMPARE(form.size(), QSize(487, 412 + form.menuBar()->height()));
    QVERIFY(form.menuBar()->height() > 0);
    QCOMPARE(form.box(10)->geometry(), QRect(384, 120, 65, 27));
    QCOMPARE(form.box(1)->geometry(), QRect(136, 40, 297, 27));
    QCOMPARE(form.findChild<QPushButton*>("Command1")->geometry(), QRect(392, 376, 65, 25));
    QCOMPARE(form.findChild<QWidget*>("Shape2")->geometry(), QRect(320, 80, 137, 265));
    int controls = 0;
    for (QWidget* child : form.findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
      if (child == client || child == form.menuBar()) continue;
      QFAIL(qPrintable("outside the client area: " + child->objectName()));
    }
    for (QWidget* child : client->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
      if (!child->objectName().isEmpty()) ++controls;
    // Label1 … Label28, Text1 … Text22 but 18 and 19, five frames, two pictures, "Detail
    // output" and the four buttons.
    QCOMPARE(controls, 28 + 20 + 5 + 2 + 1 + 4);
    QCOMPARE(client->palette().color(QPalette::Window), kvt::ui::kWindowGrey);
  }

  // The whole chain, round to "Execute" again: the menu bar takes no place in it.
  void focusMovesInTheWindowsOrder() {
    AnalysisParameters record;
    Form1 form(record, prompt_, clock_);
    const char* expected[] = {"Command1", "Text1",   "Text2",  "Text3",    "Text4",    "Text5",
                              "Text6",    "Check1",  "Text7",  "Text8",    "Text9",    "Text10",
                              "Text11",   "Text12",  "Text13", "Command2", "Command3", "Command4",
                              "Text14",   "Text15",  "Text16", "Text20",   "Text21",   "Text22",
                              "Text17",   "Command1"};
    QWidget* w = form.findChild<QWidget*>("Command1");
    for (std::size_t k = 1; k < std::size(expected); ++k) {
      w = w->nextInFocusChain();
      while (w->focusPolicy() == Qt::NoFocus || !w->isWidgetType() || w->objectName().isEmpty() ||
             w->objectName().startsWith("qt_") || w == &form || w == form.clientArea())
        w = w->nextInFocusChain();
      QCOMPARE(w->objectName(), QString(expected[k]));
    }
  }

  void theMenusHoldTheirItemsWithTheirShortcuts() {
    AnalysisParameters record;
    Form1 form(record, prompt_, clock_);
    QStringList titles;
    for (const QAction* menu : form.menuBar()->actions())
      titles << menu->text();
    QCOMPARE(titles, QStringList({"&File", "&Analysis", "&Results", "&Help"}));
    struct Item {
      const char* menu;
      const char* name;
      const char* text;
      QKeySequence keys;
    };
    const Item items[] = {
        {"fileMenu", "openItem", "&Open…", QKeySequence("Ctrl+O")},
        {"fileMenu", "saveItem", "&Save…", QKeySequence("Ctrl+S")},
        {"fileMenu", "exitItem", "E&xit", QKeySequence("Ctrl+Q")},
        {"analysisMenu", "executeItem", "&Execute", QKeySequence("F5")},
        {"analysisMenu", "studyItem", "&Study…", {}},
        {"analysisMenu", "requiredLengthItem", "&Required bond length…", {}},
        {"analysisMenu", "bondLawItem", "&Bond law…", {}},
        {"resultsMenu", "lastResultsItem", "Results of the &last run", QKeySequence("Ctrl+R")},
        {"resultsMenu", "compareItem", "&Compare runs…", {}},
        {"helpMenu", "manualItem", "kvt &manual", QKeySequence("F1")},
        {"helpMenu", "aboutItem", "&About kvt", {}},
    };
    for (const Item& item : items) {
      const auto* menu = form.findChild<QMenu*>(item.menu);
      const auto* action = form.findChild<QAction*>(item.name);
      QVERIFY2(menu && action && menu->actions().contains(action), item.name);
      QCOMPARE(action->text(), QString(item.text));
      QCOMPARE(action->shortcut(), item.keys);
    }
  }

  // An item with a button does what the button does: F5 runs, Ctrl+O opens the file window.
  void theItemsDoWhatTheirButtonsDo() {
    kvt::testing::TempDir dir;
    kvt::testing::Cwd cwd(dir.path());
    AnalysisParameters record;
    Form1 form(record, prompt_, clock_);
    form.show();
    form.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    QString dialogTitle;
    QTimer::singleShot(0, [&dialogTitle] {
      QWidget* dialog = QApplication::activeModalWidget();
      if (!dialog) return;
      dialogTitle = dialog->windowTitle();
      dialog->close();
    });
    QTest::keyClick(&form, Qt::Key_O, Qt::ControlModifier);
    QCOMPARE(dialogTitle, QString("KVT Open"));

    form.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    QTest::keyClick(form.box(6), Qt::Key_F5);
    QVERIFY(form.runController() != nullptr);
    QVERIFY(!form.isVisible());
    QTRY_COMPARE_WITH_TIMEOUT(form.runController()->state(),
                              kvt::ui::RunController::State::Finished, 20000);
  }

  void theManualAndAboutShowTheirTexts() {
    AnalysisParameters record;
    Form1 form(record, prompt_, clock_);
    form.findChild<QAction*>("manualItem")->trigger();
    auto* manual = form.findChild<kvt::ui::DocumentWindow*>("ManualWindow");
    QVERIFY(manual && manual->isVisible());
    const QString text = manual->browser()->toPlainText();
    QVERIFY(text.contains("The report figures") && text.contains("Studies"));
    QVERIFY2(!text.contains("Building by hand"), "the developers' sections are not the manual");
    form.findChild<QAction*>("manualItem")->trigger();
    QCOMPARE(form.findChildren<kvt::ui::DocumentWindow*>("ManualWindow").size(), 1);

    form.findChild<QAction*>("aboutItem")->trigger();
    auto* about = form.findChild<kvt::ui::DocumentWindow*>("AboutWindow");
    QVERIFY(about);
    const QString aboutText = about->browser()->toPlainText();
    QVERIFY2(aboutText.contains("kvt " KVT_VERSION) && aboutText.contains("MIT") &&
                 aboutText.contains("Qt Charts") && aboutText.contains("GPL-3"),
             qPrintable(aboutText));
  }

  void typingRunsTheRules() {
    AnalysisParameters record;
    Form1 form(record, prompt_, clock_);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QLineEdit* db = form.box(10);
    db->selectAll();
    QTest::keyClick(db, Qt::Key_Delete);
    QCOMPARE(form.box(4)->text(), QString("0.00"));
    QStringList deltaL;
    for (const char* key : {"1", ".", "3", "5"}) {
      QTest::keyClicks(db, key);
      deltaL << form.box(4)->text();
      QCOMPARE(record.deltaL, form.box(4)->text().toFloat());
    }
    QCOMPARE(deltaL, QStringList({"0.50", "0.50", "0.65", "0.68"}));

    form.box(9)->selectAll();
    QTest::keyClicks(form.box(9), "2.5");
    QCOMPARE(record.Ec, 250000.0f);
    form.box(1)->clear();
    QCOMPARE(record.comment, std::string());
    QTest::mouseClick(form.detailOutputBox(), Qt::LeftButton);
    QCOMPARE(record.detailOutput, std::int16_t{1});
  }

  void aRuleErrorIsShownOnTheBoxWithoutInterruptingTyping() {
    AnalysisParameters record;
    Form1 form(record, prompt_, clock_);
    const QString described = form.box(9)->toolTip();
    form.box(9)->setText("1e34");
    QVERIFY(form.box(9)->toolTip().contains("overflow"));
    QVERIFY(prompt_.warnings.empty());
    form.box(9)->setText("2.4");
    QCOMPARE(form.box(9)->toolTip(), described);
  }

  // A text loaded from a file or pasted is kept whole, however long: a box that cut it would
  // save a shorter comment, or compute another number than kvt-batch does.
  void longTextsAreKeptWhole() {
    AnalysisParameters record;
    Form1 form(record, prompt_, clock_);
    const std::string comment(100000, 'c');
    const std::string db = "1." + std::string(40000, '0') + "5";
    form.entries().setText(1, comment);
    form.entries().setText(10, db);
    QCOMPARE(form.box(1)->text().size(), 100000);
    QVERIFY(form.entries().text(1) == comment);
    QVERIFY(form.entries().text(10) == db);
  }

  void aNumericErrorOfExecuteStartsNothing() {
    AnalysisParameters record;
    Form1 form(record, prompt_, clock_);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    form.box(9)->setText("1e34");
    const kvt::BoxTexts before = form.entries().texts();
    form.execute();
    QCOMPARE(prompt_.warnings.size(), std::size_t{1});
    const QString message = QString::fromStdString(prompt_.warnings[0].text);
    QVERIFY2(message.contains("Ec") && message.contains("overflow"), qPrintable(message));
    QVERIFY(form.isVisible());
    QVERIFY(form.runController() == nullptr);
    QVERIFY(form.entries().texts() == before);
  }
};

QTEST_MAIN(Form1Test)
#include "form1_test.moc"
