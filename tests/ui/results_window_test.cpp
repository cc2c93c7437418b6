// SPDX-License-Identifier: MIT
// The results window of a run, opened from the analysis windows, on the offscreen platform.
#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QTest>
#include <memory>

#include "support/fake_prompt.h"
#include "support/file_bytes.h"
#include "support/fixed_clock.h"
#include "support/temp_dir.h"
#include "ui/form1.h"
#include "ui/form2.h"
#include "ui/form3.h"
#include "ui/results_window.h"
#include "ui/run_controller.h"

using kvt::AnalysisParameters;
using kvt::ui::ResultsWindow;
using kvt::ui::RunController;
using State = RunController::State;
using Tab = ResultsWindow::Tab;

class ResultsWindowTest : public QObject {
  Q_OBJECT

  std::unique_ptr<kvt::testing::TempDir> dir_;
  std::unique_ptr<kvt::testing::Cwd> cwd_;
  kvt::testing::FakePrompt prompt_;
  kvt::testing::FixedClock clock_;

  AnalysisParameters record_;
  std::unique_ptr<kvt::ui::Form1> form_;

  // "Execute" with the defaults, and the run's controller once the run has finished.
  RunController* finishedRun() {
    form_->execute();
    RunController* run = form_->runController();
    if (!QTest::qWaitFor([run] { return run->state() == State::Finished; }, 20000)) return nullptr;
    return run;
  }

 private slots:
  void init() {
    dir_ = std::make_unique<kvt::testing::TempDir>();
    cwd_ = std::make_unique<kvt::testing::Cwd>(dir_->path());
    prompt_ = {};
    record_ = {};
    form_ = std::make_unique<kvt::ui::Form1>(record_, prompt_, clock_);
    form_->show();
  }
  void cleanup() {
    form_.reset();
    cwd_.reset();
    dir_.reset();
  }

  void staysOpenAndWorkingAfterOk() {
    RunController* run = finishedRun();
    QVERIFY(run);
    QTest::keyClick(run->form2(), Qt::Key_R, Qt::ControlModifier);
    QPointer<ResultsWindow> results = run->resultsWindow();
    QVERIFY(results && results->isVisible());
    QVERIFY(results->windowTitle().startsWith("KVT Results"));
    QCOMPARE(results->selectedStep(), 251);
    // "Results…" in a graph's menu brings the same window forward.
    run->form3()->contextMenu()->actions().last()->trigger();
    QCOMPARE(run->resultsWindow(), results.data());

    results->findChild<QSlider*>("stepSlider")->setValue(100);
    QCOMPARE(results->findChild<QSpinBox*>("stepBox")->value(), 100);
    results->showTab(Tab::Distribution);
    prompt_.fileNames.push_back(dir_->file("profile.svg"));
    QTest::mouseClick(results->findChild<QPushButton*>("saveFigureButton"), Qt::LeftButton);
    const std::string svg = kvt::testing::readBytes(dir_->file("profile.svg"));
    QVERIFY(svg.find("at step 100") != std::string::npos);

    QTest::mouseClick(run->form2()->button(), Qt::LeftButton);
    QTRY_VERIFY(run->form2() == nullptr);
    QVERIFY(results && results->isVisible());
    results->findChild<QComboBox*>("unitsBox")->setCurrentIndex(1);
    results->findChild<QSpinBox*>("stepBox")->setValue(300);
    QCOMPARE(results->findChild<QSlider*>("stepSlider")->value(), 300);
    const kvt::Figure shown = results->figure(Tab::Distribution);
    QVERIFY(shown.title.starts_with("Distribution along the bar at step 300"));
    QCOMPARE(shown.panels.back().x.unit, std::string("mm"));
    prompt_.fileNames.push_back(dir_->file("step300.csv"));
    QTest::mouseClick(results->findChild<QPushButton*>("saveDataButton"), Qt::LeftButton);
    const std::string csv = kvt::testing::readBytes(dir_->file("step300.csv"));
    QVERIFY(csv.starts_with("section,x (mm),slip (mm),bar force (kN)"));
    QVERIFY(prompt_.warnings.empty());

    // A new run opens windows of its own; this one keeps the first run.
    QVERIFY(finishedRun());
    QVERIFY(results && results->run().rows.size() == 432u);
    QVERIFY(form_->runController()->resultsWindow() == nullptr);
    results->close();
  }

  void openedDuringARunFollowsItToTheEnd() {
    form_->execute();
    RunController* run = form_->runController();
    auto opened = std::make_shared<bool>(false);
    QObject::connect(run->form2()->textBox("Text1"), &QLineEdit::textChanged, run,
                     [run, opened](const QString& step) {
                       if (*opened || step.toInt() < 20) return;
                       *opened = true;
                       QTest::keyClick(run->form3(), Qt::Key_R, Qt::ControlModifier);
                     });
    QTRY_COMPARE_WITH_TIMEOUT(run->state(), State::Finished, 20000);
    QPointer<ResultsWindow> results = run->resultsWindow();
    QVERIFY(*opened && results);
    QCOMPARE(results->run().rows.size(), 432u);
    QCOMPARE(results->selectedStep(), 251);
    QVERIFY(results->findChild<QLabel*>("statusLabel")->text().startsWith("432 steps, finished"));
    results->close();
  }

  void aSaveThatCannotBeDoneIsReportedWithTheFile() {
    RunController* run = finishedRun();
    QVERIFY(run);
    ResultsWindow* results = run->openResults();
    const std::string missing = dir_->file("no-such-folder/load-slip.pdf");
    QVERIFY(!results->saveFigure(missing));
    QVERIFY(!results->saveFigure(dir_->file("load-slip.gif")));
    QCOMPARE(prompt_.warnings.size(), 2u);
    QVERIFY(prompt_.warnings[0].text.find(missing) != std::string::npos);
    QVERIFY(prompt_.warnings[1].text.find(".png, .svg or .pdf") != std::string::npos);
    // A name without an extension is a PNG.
    QVERIFY(results->saveFigure(dir_->file("plain")));
    QVERIFY(kvt::testing::readBytes(dir_->file("plain.png")).starts_with("\x89PNG"));
    results->close();
  }
};

QTEST_MAIN(ResultsWindowTest)
#include "results_window_test.moc"
