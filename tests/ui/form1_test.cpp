// SPDX-License-Identifier: MIT
#include "ui/form1.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "params/numeric_boxes.h"
#include "support/fake_prompt.h"
#include "support/fixed_clock.h"
#include "ui/run_controller.h"

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

  void layoutFollowsTheDrawing() {
    AnalysisParameters record;
    Form1 form(record, prompt_, clock_);
    QCOMPARE(form.size(), QSize(487, 412));  // 7305 × 6180 twips
    QCOMPARE(form.box(10)->geometry(), QRect(384, 120, 65, 27));
    QCOMPARE(form.box(1)->geometry(), QRect(136, 40, 297, 27));
    QCOMPARE(form.findChild<QPushButton*>("Command1")->geometry(), QRect(392, 376, 65, 25));
    QCOMPARE(form.findChild<QWidget*>("Shape2")->geometry(), QRect(320, 80, 137, 265));
  }

  void focusMovesInTheWindowsOrder() {
    AnalysisParameters record;
    Form1 form(record, prompt_, clock_);
    const char* expected[] = {"Command1", "Text1",    "Text2",    "Text3",  "Text4",
                              "Text5",    "Text6",    "Check1",   "Text7",  "Text8",
                              "Text9",    "Text10",   "Text11",   "Text12", "Text13",
                              "Command2", "Command3", "Command4", "Text14", "Text15",
                              "Text16",   "Text20",   "Text21",   "Text22", "Text17"};
    QWidget* w = form.findChild<QWidget*>("Command1");
    for (std::size_t k = 1; k < std::size(expected); ++k) {
      w = w->nextInFocusChain();
      while (w->focusPolicy() == Qt::NoFocus || !w->isWidgetType() || w->objectName().isEmpty() ||
             w->objectName().startsWith("qt_"))
        w = w->nextInFocusChain();
      QCOMPARE(w->objectName(), QString(expected[k]));
    }
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
