// SPDX-License-Identifier: MIT
// Runs kept through the session and compared, on the offscreen platform.
#include <QAction>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <memory>

#include "analysis/run_record.h"
#include "support/window_session.h"
#include "ui/compare_window.h"
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
