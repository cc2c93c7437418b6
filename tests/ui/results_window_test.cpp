// SPDX-License-Identifier: MIT
// The results window of a run, opened from the analysis windows, on the offscreen platform.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGraphicsSimpleTextItem>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QTest>
#include <memory>

#include "files/parameter_file.h"
#include "support/file_bytes.h"
#include "support/window_session.h"
#include "ui/figure_view.h"
#include "ui/form1.h"
#include "ui/form2.h"
#include "ui/form3.h"
#include "ui/results_window.h"
#include "ui/run_controller.h"

using kvt::ui::ResultsWindow;
using kvt::ui::RunController;
using State = RunController::State;
using Tab = ResultsWindow::Tab;

class ResultsWindowTest : public QObject {
  Q_OBJECT

  std::unique_ptr<kvt::testing::WindowSession> session_;

  kvt::ui::Form1& form() { return session_->form(); }
  kvt::testing::FakePrompt& prompt() { return session_->prompt(); }
  std::string file(const std::string& name) const { return session_->dir().file(name); }
  // "Execute" with the defaults, and the run's controller once the run has finished.
  RunController* finishedRun() { return session_->runToTheEnd(); }

 private slots:
  void init() {
    session_ = std::make_unique<kvt::testing::WindowSession>();
    form().show();
  }
  void cleanup() { session_.reset(); }

  // "Converged" lays the same bar solved over lb itself over the run's load–slip and τ-s
  // curves, computed on a thread of its own, and says how far the run's Pbumax is from it.
  void convergedSwitchLaysTheConvergedCurveOver() {
    RunController* run = finishedRun();
    QVERIFY(run);
    ResultsWindow* results = run->openResults();
    auto* converged = results->findChild<QCheckBox*>("convergedSwitch");
    auto* note = results->findChild<QLabel*>("convergedLabel");
    QVERIFY(converged && note);
    QCOMPARE(results->figure(Tab::LoadSlip).panels[0].curves.size(), std::size_t{2});
    converged->setChecked(true);
    QTRY_VERIFY(note->text().contains("converged value"));
    QCOMPARE(note->text(), QString("Pbumax 1.1 % above the converged value for lb = 20 cm"));
    for (const Tab tab : {Tab::LoadSlip, Tab::TauSlip})
      QCOMPARE(results->figure(tab).panels[0].curves.back().title,
               std::string("converged over lb = 20 cm"));
    converged->setChecked(false);
    QVERIFY(note->isHidden());
    QCOMPARE(results->figure(Tab::LoadSlip).panels[0].curves.size(), std::size_t{2});
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
    prompt().fileNames.push_back(file("profile.svg"));
    QTest::mouseClick(results->findChild<QPushButton*>("saveFigureButton"), Qt::LeftButton);
    const std::string svg = kvt::testing::readBytes(file("profile.svg"));
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
    prompt().fileNames.push_back(file("step300.csv"));
    QTest::mouseClick(results->findChild<QPushButton*>("saveDataButton"), Qt::LeftButton);
    const std::string csv = kvt::testing::readBytes(file("step300.csv"));
    QVERIFY(csv.starts_with("section,x (mm),slip (mm),bar force (kN)"));
    QVERIFY(prompt().warnings.empty());

    // A new run opens windows of its own; this one keeps the first run.
    QVERIFY(finishedRun());
    QVERIFY(results && results->run().stepCount() == 432);
    QVERIFY(form().runController()->resultsWindow() == nullptr);
    results->close();
  }

  void openedDuringARunFollowsItToTheEnd() {
    form().execute();
    RunController* run = form().runController();
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
    QCOMPARE(results->run().stepCount(), 432);
    QCOMPARE(results->selectedStep(), 251);
    QVERIFY(results->findChild<QLabel*>("statusLabel")->text().startsWith("432 steps, finished"));
    results->close();
  }

  // The window and its figures name the case by one rule, and never pass off entries changed
  // since the last save as the file's.
  void windowAndFigureTitlesNameTheCaseAlike() {
    const std::string path = file("case1.kvt");
    QCOMPARE(kvt::SaveParameterFile(path, form().entries(), prompt()), kvt::SaveOutcome::Saved);
    form().box(6)->setText("10.00");
    for (const char* name : {"case1.kvt (modified)", "case1.kvt"}) {
      RunController* run = finishedRun();
      QVERIFY(run);
      ResultsWindow* results = run->openResults();
      QCOMPARE(results->windowTitle(), QString("KVT Results - ") + name);
      QCOMPARE(results->figure(Tab::LoadSlip).title,
               std::string("Load–slip — ") + name + ", db = 1.3 cm, lb = 10 cm");
      results->close();
      QTest::mouseClick(run->form2()->button(), Qt::LeftButton);
      QVERIFY(kvt::SaveParameterFile(path, form().entries(), prompt()) == kvt::SaveOutcome::Saved);
    }
  }

  // Moving the step moves the selection's label: the scene repaints where the old label was, so
  // no piece of it ("st" of "step 100") stays behind on screen.
  void aStepMoveRepaintsWhereTheOldLabelWas() {
    RunController* run = finishedRun();
    QVERIFY(run);
    ResultsWindow* results = run->openResults();
    results->showTab(Tab::LoadSlip);
    results->selectStep(100);
    QVERIFY(QTest::qWaitForWindowExposed(results));
    kvt::FigureScene& scene = results->view(Tab::LoadSlip)->figureScene();
    const QGraphicsSimpleTextItem* label = scene.markLabels(0).back();
    QCOMPARE(label->text(), QString("step 100"));
    const QRectF before = label->sceneBoundingRect();
    QRectF repainted;
    connect(&scene, &QGraphicsScene::changed, this, [&](const QList<QRectF>& regions) {
      for (const QRectF& region : regions)
        repainted |= region;
    });
    results->selectStep(300);
    QTRY_VERIFY(repainted.contains(before));
    QCOMPARE(label->text(), QString("step 300"));
    QVERIFY(label->sceneBoundingRect() != before);
    results->close();
  }

  // The analysis takes the bar as elastic: the window says so when no bar could carry Pbumax.
  void saysWhenTheBarWouldHaveYieldedFirst() {
    for (const char* Ab : {"1.27", "1.00"}) {
      form().box(11)->setText(Ab);
      RunController* run = finishedRun();
      QVERIFY(run);
      ResultsWindow* results = run->openResults();
      const QLabel* note = results->findChild<QLabel*>("barNoteLabel");
      QCOMPARE(note->isVisibleTo(results), std::string(Ab) == "1.00");
      if (note->isVisibleTo(results))
        QVERIFY2(note->text().contains("7454 kgf/cm²") &&
                     note->text().contains("the bar would have yielded first"),
                 qPrintable(note->text()));
      results->close();
      QTest::mouseClick(run->form2()->button(), Qt::LeftButton);
    }
  }

  void aFigureIsSavedInTheSizeChosen() {
    RunController* run = finishedRun();
    QVERIFY(run);
    ResultsWindow* results = run->openResults();
    results->findChild<QComboBox*>("figureSizeBox")->setCurrentIndex(1);
    QCOMPARE(results->figureSize().widthMm, 85.0);
    QVERIFY(results->saveFigure(file("column.png")));
    QImage image(QString::fromStdString(file("column.png")));
    QCOMPARE(image.size(), QSize(850, 600));
    results->close();
  }

  void aSaveThatCannotBeDoneIsReportedWithTheFile() {
    RunController* run = finishedRun();
    QVERIFY(run);
    ResultsWindow* results = run->openResults();
    const std::string missing = file("no-such-folder/load-slip.pdf");
    QVERIFY(!results->saveFigure(missing));
    QVERIFY(!results->saveFigure(file("load-slip.gif")));
    QCOMPARE(prompt().warnings.size(), 2u);
    QVERIFY(prompt().warnings[0].text.find(missing) != std::string::npos);
    QVERIFY(prompt().warnings[1].text.find(".png, .svg or .pdf") != std::string::npos);
    // A name without an extension is a PNG.
    QVERIFY(results->saveFigure(file("plain")));
    QVERIFY(kvt::testing::readBytes(file("plain.png")).starts_with("\x89PNG"));
    results->close();
  }
};

QTEST_MAIN(ResultsWindowTest)
#include "results_window_test.moc"
