// SPDX-License-Identifier: MIT
// Help on the parameter window: a tooltip on every label, box and button, and the amber mark on a
// box whose text is read only in part, or on the Δl box when the march analyses another length
// than lb or its last run had no rising branch.
#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include "support/fake_prompt.h"
#include "support/fixed_clock.h"
#include "support/window_session.h"
#include "ui/form1.h"

class ParameterToolTipsTest : public QObject {
  Q_OBJECT

  kvt::testing::FakePrompt prompt_;
  kvt::testing::FixedClock clock_;

 private slots:
  void everyLabelBoxAndButtonExplainsItself() {
    kvt::AnalysisParameters record;
    kvt::ui::Form1 form(record, prompt_, clock_);
    int explained = 0;
    for (QWidget* widget : form.clientArea()->findChildren<QWidget*>()) {
      const bool control = qobject_cast<QLabel*>(widget) || qobject_cast<QLineEdit*>(widget) ||
                           qobject_cast<QAbstractButton*>(widget);
      if (!control || widget->objectName().isEmpty()) continue;
      QVERIFY2(!widget->toolTip().isEmpty(), qPrintable(widget->objectName()));
      ++explained;
    }
    // 20 labels with their boxes, 2 pictures, 8 headings and notes, the check box, 4 buttons.
    QVERIFY(explained >= 55);
    QVERIFY(form.findChild<QLabel*>("Label9")->toolTip().contains("not used by this analysis"));
    QVERIFY(form.box(9)->toolTip().contains("not used by this analysis"));
    QVERIFY(form.box(20)->toolTip().contains("Not stored in parameter files"));
    QVERIFY(form.box(6)->toolTip().contains("(cm)"));
  }

  void aTextReadOnlyInPartIsMarked_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("mark");  // empty: no mark
    QTest::addColumn<float>("read");
    QTest::newRow("decimal comma") << "20,5"
                                   << "lb \"20,5\" is read as 20" << 20.0f;
    QTest::newRow("letters") << "abc"
                             << "lb \"abc\" is read as 0" << 0.0f;
    QTest::newRow("unit after the number") << "20cm"
                                           << "lb \"20cm\" is read as 20" << 20.0f;
    QTest::newRow("blanks inside") << "2 5"
                                   << "" << 25.0f;
    QTest::newRow("empty") << ""
                           << "" << 0.0f;
    QTest::newRow("exponent") << "2.5e1"
                              << "" << 25.0f;
  }

  void aTextReadOnlyInPartIsMarked() {
    QFETCH(QString, text);
    QFETCH(QString, mark);
    QFETCH(float, read);
    kvt::AnalysisParameters record;
    kvt::ui::Form1 form(record, prompt_, clock_);
    QLineEdit* lb = form.box(6);
    const QString described = lb->toolTip();
    QTest::keyClick(lb, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(lb, Qt::Key_Backspace);
    QTest::keyClicks(lb, text);
    QCOMPARE(lb->text(), text);
    if (mark.isEmpty()) {
      QVERIFY(lb->styleSheet().isEmpty());
      QCOMPARE(lb->toolTip(), described);
    } else {
      QVERIFY(lb->styleSheet().contains("border"));
      QVERIFY2(lb->toolTip().contains(mark.toHtmlEscaped()), qPrintable(lb->toolTip()));
    }
    // What is read stays as it was.
    QCOMPARE(record.lb, read);
  }

  void theDeltaLBoxSaysWhatTheMarchAnalyses_data() {
    QTest::addColumn<QString>("lb");
    QTest::addColumn<QString>("deltaL");
    QTest::addColumn<QString>("note");  // empty: no mark
    QTest::newRow("the start values") << "20.00"
                                      << "0.65"
                                      << "lb 20 is analysed as 20.15 cm: 31 segments of 0.65 cm";
    QTest::newRow("segments that divide lb") << "20.00"
                                             << "0.50"
                                             << "";
    QTest::newRow("lb typed last") << "20.5"
                                   << "0.65"
                                   << "lb 20.5 is analysed as 20.8 cm: 32 segments of 0.65 cm";
    QTest::newRow("thousandths rounded")
        << "20"
        << "0.0015"
        << "lb 20 is analysed as 15 cm: 10000 segments of 0.0015 cm";
  }

  void theDeltaLBoxSaysWhatTheMarchAnalyses() {
    QFETCH(QString, lb);
    QFETCH(QString, deltaL);
    QFETCH(QString, note);
    kvt::AnalysisParameters record;
    kvt::ui::Form1 form(record, prompt_, clock_);
    for (auto [number, text] : {std::pair{4, deltaL}, std::pair{6, lb}}) {
      QTest::keyClick(form.box(number), Qt::Key_A, Qt::ControlModifier);
      QTest::keyClicks(form.box(number), text);
    }
    QLineEdit* box = form.box(4);
    QCOMPARE(box->styleSheet().contains("border"), !note.isEmpty());
    QCOMPARE(box->toolTip().contains("is analysed as"), !note.isEmpty());
    QVERIFY2(box->toolTip().contains(note), qPrintable(box->toolTip()));
  }

  // A bar of 200 cm: the march's first step, at s0 = 1e-10 cm, already carries Pbumax. Back in
  // the parameter window the Δl box says so, until lb changes.
  void afterARunWithoutARisingBranch() {
    kvt::testing::WindowSession session;
    kvt::ui::Form1& form = session.form();
    QTest::keyClick(form.box(6), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(form.box(6), "200");
    kvt::ui::RunController* run = session.runToTheEnd();
    QVERIFY(run);
    run->closeAnalysisWindows();
    QVERIFY(form.isVisible());
    const QString note = "the rising branch is not resolved";
    QVERIFY2(form.box(4)->toolTip().contains(note), qPrintable(form.box(4)->toolTip()));
    QVERIFY(form.box(4)->styleSheet().contains("border"));
    QTest::keyClicks(form.box(6), "1");
    QVERIFY(!form.box(4)->toolTip().contains(note));
  }
};

QTEST_MAIN(ParameterToolTipsTest)
#include "parameter_tooltips_test.moc"
