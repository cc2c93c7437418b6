// SPDX-License-Identifier: MIT
// A run from "Execute" to "OK" through the real windows, on the offscreen platform.
#include <QAction>
#include <QCheckBox>
#include <QImage>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "support/fake_prompt.h"
#include "support/file_bytes.h"
#include "support/first_difference.h"
#include "support/fixed_clock.h"
#include "support/temp_dir.h"
#include "ui/form1.h"
#include "ui/form2.h"
#include "ui/form3.h"
#include "ui/form4.h"
#include "ui/run_controller.h"

using kvt::AnalysisParameters;
using kvt::ui::Form1;
using kvt::ui::Form2;
using kvt::ui::RunController;
using State = RunController::State;

namespace {

int countLines(const std::string& text) {
  int lines = 0;
  for (std::size_t pos = text.find("\r\n"); pos != std::string::npos;
       pos = text.find("\r\n", pos + 2))
    ++lines;
  return lines;
}

QString text(const Form2* form, const char* name) {
  return form->textBox(name)->text();
}

// Calls `action` once, inside the run, when the analysis window first shows step `step`: the
// window is brought up to date just before the run yields to the user interface.
void atStep(Form2* form, int step, std::function<void()> action) {
  auto done = std::make_shared<bool>(false);
  QObject::connect(form->textBox("Text1"), &QLineEdit::textChanged, form,
                   [=](const QString& shown) {
                     if (!*done && shown.toInt() >= step) {
                       *done = true;
                       action();
                     }
                   });
}

}  // namespace

class RunControlTest : public QObject {
  Q_OBJECT

  std::unique_ptr<kvt::testing::TempDir> dir_;
  std::unique_ptr<kvt::testing::Cwd> cwd_;
  kvt::testing::FakePrompt prompt_;
  kvt::testing::FixedClock clock_;

  QString message(std::size_t k) const {
    return QString::fromStdString(prompt_.warnings.at(k).text);
  }

  std::unique_ptr<Form1> newForm(AnalysisParameters& record) {
    auto form = std::make_unique<Form1>(record, prompt_, clock_);
    form->show();
    return form;
  }

 private slots:
  void init() {
    dir_ = std::make_unique<kvt::testing::TempDir>();
    cwd_ = std::make_unique<kvt::testing::Cwd>(dir_->path());
    prompt_ = {};
  }
  void cleanup() {
    cwd_.reset();
    dir_.reset();
  }

  void executeWithTheDefaultsRunsToOk() {
    AnalysisParameters record;
    auto form = newForm(record);
    const kvt::BoxTexts before = form->entries().texts();
    form->execute();
    RunController* run = form->runController();
    QVERIFY(run);
    QVERIFY(!form->isVisible());
    QTRY_COMPARE_WITH_TIMEOUT(run->state(), State::Finished, 20000);
    Form2* f2 = run->form2();
    QCOMPARE(f2->windowTitle(), QString("KVT Now Calculating..."));
    QCOMPARE(f2->button()->text(), QString("OK"));
    QCOMPARE(text(f2, "Text1"), QString("00432"));
    QCOMPARE(text(f2, "Text7"), QString("115.05"));
    QCOMPARE(text(f2, "Text9"), QString("96.75"));
    QCOMPARE(text(f2, "Text8"), QString("7798"));
    QCOMPARE(countLines(kvt::testing::readBytes("default.t-s")), 436);
    QCOMPARE(record.resultFilePath, std::string("default.t-s"));
    QVERIFY(prompt_.warnings.empty());

    // "OK" closes the three windows and brings the parameter window back as it was left,
    // "initial ds" included although the run changed the increment.
    QTest::mouseClick(f2->button(), Qt::LeftButton);
    QVERIFY(form->isVisible());
    QTRY_VERIFY(run->form2() == nullptr);
    QVERIFY(run->form3() == nullptr && run->form4() == nullptr);
    QVERIFY(form->entries().texts() == before);
    QCOMPARE(form->box(20)->text(), QString("0.0000100"));
    QVERIFY(record.initialDs != 0.00001f);
  }

  // The whole session with nobody at the keyboard: every question, report and file name goes
  // through the one prompt, and the report's date comes from the fixed clock.
  void aWholeSessionNeedsNoDialogAndGivesTheCheckedReport() {
    AnalysisParameters record;
    auto form = newForm(record);
    form->execute();
    RunController* run = form->runController();
    QTRY_COMPARE_WITH_TIMEOUT(run->state(), State::Finished, 20000);
    prompt_.fileNames.push_back(dir_->file("tau-s.png"));
    run->form3()->contextMenu()->actions()[0]->trigger();
    QCOMPARE(prompt_.fileNameCaptions, std::vector<std::string>{"Save image"});
    QCOMPARE(QImage(QString::fromStdString(dir_->file("tau-s.png"))).size(), run->form3()->size());
    QTest::mouseClick(run->form2()->button(), Qt::LeftButton);
    QVERIFY(form->isVisible());
    QVERIFY(prompt_.warnings.empty());
    const std::string golden = kvt::testing::readBytes(std::string(std::getenv("KVT_TEST_DATA")) +
                                                       "/output/golden/default-summary.t-s");
    QVERIFY(!golden.empty());
    const std::string difference =
        kvt::testing::firstDifference(golden, kvt::testing::readBytes("default.t-s"));
    QVERIFY2(difference.empty(), difference.c_str());
  }

  void profileTableShowsEveryStrideThSection_data() {
    QTest::addColumn<QString>("lb");
    QTest::addColumn<QString>("deltaL");
    QTest::addColumn<int>("rowsFilled");
    QTest::addColumn<QString>("lastX");
    QTest::newRow("31 segments") << "20"
                                 << "0.65" << 7 << "18.20";
    QTest::newRow("40 segments") << "20"
                                 << "0.5" << 10 << "20.00";
    QTest::newRow("5 segments") << "2.5"
                                << "0.5" << 5 << "2.50";
  }
  void profileTableShowsEveryStrideThSection() {
    QFETCH(QString, lb);
    QFETCH(QString, deltaL);
    QFETCH(int, rowsFilled);
    QFETCH(QString, lastX);
    AnalysisParameters record;
    auto form = newForm(record);
    form->box(6)->setText(lb);
    form->box(4)->setText(deltaL);
    form->execute();
    RunController* run = form->runController();
    QTRY_COMPARE_WITH_TIMEOUT(run->state(), State::Finished, 20000);
    for (int k = 0; k < Form2::kTableRows; ++k) {
      const QString x = text(run->form2(), qPrintable(QString("Text4(%1)").arg(k)));
      QCOMPARE(x.isEmpty(), k >= rowsFilled);
      if (k == rowsFilled - 1) QCOMPARE(x, lastX);
    }
  }

  void cancelDuringARunKeepsWholeStepsAndTheEntries() {
    AnalysisParameters record;
    auto form = newForm(record);
    const kvt::BoxTexts before = form->entries().texts();
    form->execute();
    RunController* run = form->runController();
    int shownStep = 0;
    atStep(run->form2(), 5, [run, &shownStep] {
      shownStep = text(run->form2(), "Text1").toInt();
      QTest::mouseClick(run->form2()->button(), Qt::LeftButton);
    });
    QTRY_VERIFY_WITH_TIMEOUT(!run->isRunning() && run->state() == State::Closed, 20000);
    QVERIFY(form->isVisible());
    QVERIFY(form->entries().texts() == before);
    // The click came at the yield after the step shown; the run ended at the next stop query:
    // the header and every step up to the one shown, all complete.
    QVERIFY(shownStep >= 5 && shownStep % 5 == 0);
    const std::string file = kvt::testing::readBytes("default.t-s");
    QCOMPARE(countLines(file), 4 + shownStep);
    QVERIFY(file.size() >= 2 && file.substr(file.size() - 2) == "\r\n");
    QTRY_VERIFY(run->form2() == nullptr);
  }

  void closingAGraphWindowDuringARunDoesTheSame() {
    AnalysisParameters record;
    auto form = newForm(record);
    form->execute();
    RunController* run = form->runController();
    int shownStep = 0;
    atStep(run->form2(), 5, [run, &shownStep] {
      shownStep = text(run->form2(), "Text1").toInt();
      run->form4()->close();
    });
    QTRY_VERIFY_WITH_TIMEOUT(!run->isRunning() && run->state() == State::Closed, 20000);
    QVERIFY(form->isVisible());
    QCOMPARE(countLines(kvt::testing::readBytes("default.t-s")), 4 + shownStep);
  }

  void reactivationStartsNothing() {
    AnalysisParameters record;
    auto form = newForm(record);
    form->execute();
    RunController* run = form->runController();
    int activationsDuringRun = 0;
    QObject::connect(run->form2(), &Form2::activated, [&] {
      if (run->isRunning()) ++activationsDuringRun;
    });
    // During a yield: the user clicks the τ-s graph, then the analysis window again.
    atStep(run->form2(), 5, [run] { emit run->form2()->activated(); });
    QTRY_COMPARE_WITH_TIMEOUT(run->state(), State::Finished, 20000);
    QCOMPARE(activationsDuringRun, 1);
    QCOMPARE(countLines(kvt::testing::readBytes("default.t-s")), 436);  // one run, written once

    // After the end: bringing the finished window to the front again writes nothing.
    std::filesystem::remove("default.t-s");
    emit run->form2()->activated();
    QTest::qWait(50);
    QCOMPARE(run->state(), State::Finished);
    QVERIFY(!std::filesystem::exists("default.t-s"));
  }

  // A run bound to fail at once is refused before anything opens: the run's own message, no
  // analysis window, the previous report as it was, and the entries as they stand.
  void aDoomedRunTouchesNothing_data() {
    QTest::addColumn<int>("box");
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("cause");
    QTest::newRow("lb abc: no segment") << 6 << "abc"
                                        << "the bar has no segment";
    QTest::newRow("φ = 0") << 12 << "0"
                           << "φ = 0";
    QTest::newRow("Ab = 0") << 11 << "0"
                            << "Es·Ab is zero";
    QTest::newRow("Es·Ab beyond single") << 13 << "3e32"
                                         << "Es·Ab";
    QTest::newRow("db = 0") << 10 << "0"
                            << "db is zero";
    QTest::newRow("β = 0") << 3 << "0"
                           << "β·db";
    QTest::newRow("ru = 0") << 5 << "0"
                            << "ru is zero";
  }
  void aDoomedRunTouchesNothing() {
    QFETCH(int, box);
    QFETCH(QString, entry);
    QFETCH(QString, cause);
    const std::string previous = "the report of an earlier run\r\n";
    { std::ofstream("default.t-s", std::ios::binary) << previous; }
    AnalysisParameters record;
    auto form = newForm(record);
    form->box(box)->setText(entry);
    const kvt::BoxTexts before = form->entries().texts();
    form->execute();
    QCOMPARE(prompt_.warnings.size(), std::size_t{1});
    QVERIFY2(message(0).contains(cause), qPrintable(message(0)));
    QVERIFY(form->runController() == nullptr);
    QVERIFY(form->isVisible());
    QVERIFY(form->entries().texts() == before);
    QCOMPARE(kvt::testing::readBytes("default.t-s"), previous);
  }

  void aResultFileThatCannotBeWrittenIsReported() {
    AnalysisParameters record;
    auto form = newForm(record);
    record.resultFilePath = "missing-folder/beam.kvt";
    form->execute();
    RunController* run = form->runController();
    QTRY_COMPARE_WITH_TIMEOUT(run->state(), State::Failed, 20000);
    QCOMPARE(prompt_.warnings.size(), std::size_t{1});
    QVERIFY2(message(0).contains("beam.T-S"), qPrintable(message(0)));
    // τbmax is shown only once the file is open; the run is over.
    QCOMPARE(text(run->form2(), "Text7"), QString());
    QCOMPARE(run->form2()->button()->text(), QString("OK"));
  }
};

QTEST_MAIN(RunControlTest)
#include "run_control_test.moc"
