// SPDX-License-Identifier: MIT
// Runs kept through the session and compared, on the offscreen platform.
#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <fstream>
#include <memory>

#include "analysis/run_record.h"
#include "support/file_bytes.h"
#include "support/window_session.h"
#include "ui/compare_window.h"
#include "ui/figure_view.h"
#include "ui/form1.h"
#include "ui/form2.h"
#include "ui/kept_runs.h"
#include "ui/results_window.h"
#include "ui/run_controller.h"

using kvt::ui::CompareWindow;
using kvt::ui::KeptRuns;
using kvt::ui::ResultsWindow;
using kvt::ui::RunController;

class CompareWindowTest : public QObject {
  Q_OBJECT

  std::unique_ptr<kvt::testing::WindowSession> session_;

  kvt::ui::Form1& form() { return session_->form(); }
  KeptRuns& kept() { return form().keptRuns(); }

  // "Execute" with lb as given, to the end, then "OK".
  std::shared_ptr<const kvt::RunRecord> runAndOk(const char* lb) {
    form().box(6)->setText(lb);
    RunController* run = session_->runToTheEnd();
    if (!run) return nullptr;
    QTest::mouseClick(run->form2()->button(), Qt::LeftButton);
    return kept().count() > 0 ? kept().at(kept().count() - 1) : nullptr;
  }

 private slots:
  void init() {
    session_ = std::make_unique<kvt::testing::WindowSession>();
    form().show();
  }
  void cleanup() { session_.reset(); }

  // Two runs ticked in the list: overlaid in the figures, named by the entry they differ in,
  // side by side in the table; the figure and the data saved from their tabs.
  void twoRunsAreComparedAndTheirFigureSaved() {
    QVERIFY(runAndOk("20") && runAndOk("30"));
    CompareWindow* compare = form().openComparison();
    for (int row : {0, 1})
      compare->runList()->item(row, 0)->setCheckState(Qt::Checked);
    QCOMPARE(compare->chosen(), (std::vector<int>{0, 1}));
    QCOMPARE(compare->runList()->item(1, 2)->text(), QString("lb 30"));

    const kvt::Figure& shown = compare->view(CompareWindow::Tab::LoadSlip)->figure();
    QCOMPARE(shown.panels.at(0).curves.size(), 2u);
    QCOMPARE(shown.panels[0].curves[0].title, std::string("lb 20"));
    QCOMPARE(shown.panels[0].curves[1].title, std::string("lb 30"));
    QCOMPARE(shown.panels[0].curves[1].y.size(), kept().at(1)->rows().size());

    compare->showTab(CompareWindow::Tab::Table);
    const QTableWidget* table = compare->table();
    QCOMPARE(table->columnCount(), 4);
    const auto row = [table](const QString& quantity) {
      for (int r = 0; r < table->rowCount(); ++r)
        if (table->item(r, 0)->text() == quantity) return r;
      return -1;
    };
    QVERIFY(row("lb") >= 0 && row("Pbumax") > row("lb"));
    QCOMPARE(table->item(row("lb"), 3)->text(), QString("30"));
    QCOMPARE(table->item(row("σB"), 1)->text(), QString("kgf/cm²"));

    auto& prompt = session_->prompt();
    const std::string csv = session_->dir().file("both.table.csv");
    prompt.fileNames = {csv};
    compare->findChild<QPushButton*>("saveDataButton")->click();
    QVERIFY(kvt::testing::readBytes(csv).starts_with("quantity,unit,run 1,run 2\r\n"));
    prompt.fileNames = {session_->dir().file("table.png")};
    compare->findChild<QPushButton*>("saveFigureButton")->click();  // the table is no figure
    QCOMPARE(prompt.warnings.size(), 1u);

    compare->showTab(CompareWindow::Tab::Distribution);
    const std::string png = session_->dir().file("both-profile");
    prompt.fileNames = {png};
    compare->findChild<QPushButton*>("saveFigureButton")->click();
    QVERIFY(kvt::testing::readBytes(png + ".png").starts_with("\x89PNG"));
    QCOMPARE(compare->view(CompareWindow::Tab::Distribution)->figure().panels.size(), 3u);
    QCOMPARE(prompt.warnings.size(), 1u);
  }

  // A measured curve joins the load–slip figure with markers; a bad file is refused with its
  // line and the reason, and the curve shown before stays.
  void aMeasuredCurveIsAddedAndABadFileRefused() {
    QVERIFY(runAndOk("20"));
    CompareWindow* compare = form().openComparison();
    compare->choose(0, true);
    const std::string good = session_->dir().file("test 7.csv");
    std::ofstream(good) << "slip (mm),force (kN)\n0,0\n0.2,40\n0.5,70\n";
    auto& prompt = session_->prompt();
    prompt.fileNames = {good};
    compare->findChild<QPushButton*>("addMeasuredButton")->click();
    const auto last = [compare] {
      return compare->view(CompareWindow::Tab::LoadSlip)->figure().panels.at(0).curves.back();
    };
    QCOMPARE(last().title, std::string("test 7.csv (measured)"));
    QCOMPARE(last().kind, kvt::FigureCurve::Kind::Measured);
    QCOMPARE(last().x.size(), 3u);

    const std::string bad = session_->dir().file("bad.csv");
    std::ofstream(bad) << "slip (mm),force (kN)\n0,0\n0.2,4O\n";
    QVERIFY(!compare->addMeasuredCurve(bad));
    QCOMPARE(prompt.warnings.size(), 1u);
    QVERIFY2(prompt.warnings[0].text.find("bad.csv: line 3: the force \"4O\" is not a number") !=
                 std::string::npos,
             prompt.warnings[0].text.c_str());
    QCOMPARE(last().title, std::string("test 7.csv (measured)"));
    compare->findChild<QPushButton*>("removeMeasuredButton")->click();
    QCOMPARE(last().kind, kvt::FigureCurve::Kind::Line);

    // "Converged" lays the run's converged curve over it, in its look, once computed.
    compare->findChild<QCheckBox*>("convergedBox")->click();
    QTRY_COMPARE_WITH_TIMEOUT(last().kind, kvt::FigureCurve::Kind::Overlay, 20000);
    QVERIFY(last().title.ends_with(" (converged)"));
    QCOMPARE(last().look, 0);
    QVERIFY(compare->findChild<QLabel*>("statusLabel")->text().contains("converged value"));
  }

  void aRunIsShownAgainAfterOk() {
    const auto first = runAndOk("20");
    QVERIFY(first && form().isVisible());
    QCOMPARE(kept().count(), 1);
    QCOMPARE(first.get(), &form().runController()->run());
    form().findChild<QAction*>("lastResultsItem")->trigger();
    QPointer<ResultsWindow> results = kept().showResults(0);
    QVERIFY(results && results->isVisible());
    QCOMPARE(&results->run(), first.get());
    QCOMPARE(results->selectedStep(), first->peakStep());
    // Asked again, the same window comes to the front.
    form().findChild<QAction*>("lastResultsItem")->trigger();
    QCOMPARE(kept().showResults(0), results.data());

    // A later run is the last one; the first stays kept and can be shown from the comparison.
    const auto second = runAndOk("30");
    QCOMPARE(kept().count(), 2);
    QVERIFY(second.get() != first.get());
    CompareWindow* compare = form().openComparison();
    QCOMPARE(compare->runList()->rowCount(), 2);
    results->close();
    QTRY_VERIFY(!results);
    compare->showResults(0);
    QVERIFY(kept().showResults(0)->isVisible());
    QCOMPARE(&kept().showResults(0)->run(), first.get());
  }

  // A run closed before it made a step has nothing to show and is not kept; one cancelled after
  // a few steps is.
  void onlyRunsThatMadeAStepAreKept() {
    form().execute();
    RunController* run = form().runController();
    run->closeAnalysisWindows();
    QTRY_VERIFY(!run->isRunning() && run->state() == RunController::State::Closed);
    QCOMPARE(run->run().stepCount(), 0);
    QCOMPARE(kept().count(), 0);

    auto record = std::make_shared<kvt::RunRecord>(kvt::recordRun(form().entries().record()));
    record->cancel(record->stepCount());
    CompareWindow* compare = form().openComparison();
    QCOMPARE(compare->addRun(record), 0);
    QCOMPARE(compare->addRun(record), 0);  // once only
    QCOMPARE(compare->addRun(std::make_shared<kvt::RunRecord>()), -1);
    QCOMPARE(kept().count(), 1);
    QCOMPARE(compare->chosen(), std::vector<int>{0});
  }
};

QTEST_MAIN(CompareWindowTest)
#include "compare_window_test.moc"
