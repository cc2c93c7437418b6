// SPDX-License-Identifier: MIT
// The study window and the required-length window against kvt-batch itself: the same study gives
// the same summary and figures, byte for byte, however it was cancelled and run again.
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QHashSeed>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTableView>
#include <QTest>
#include <cmath>
#include <filesystem>
#include <memory>
#include <optional>

#include "batch/study_grid.h"
#include "support/file_bytes.h"
#include "support/window_session.h"
#include "ui/kept_runs.h"
#include "ui/required_length_window.h"
#include "ui/results_window.h"
#include "ui/study_grid_editor.h"
#include "ui/study_job.h"
#include "ui/study_results_view.h"
#include "ui/study_run_bar.h"
#include "ui/study_window.h"

using kvt::testing::readBytes;
using kvt::ui::StudyJob;
using kvt::ui::StudyResultsView;
using Tab = StudyResultsView::Tab;

namespace {

// kvt-batch run as a user runs it, in `dir`; its standard error when it fails.
QString kvtBatch(const std::string& dir, const QStringList& args) {
  QProcess batch;
  batch.setWorkingDirectory(QString::fromStdString(dir));
  batch.start(KVT_BATCH, args);
  if (!batch.waitForFinished(60000)) return "kvt-batch did not finish";
  return batch.exitCode() == 0 ? QString() : QString::fromUtf8(batch.readAllStandardError());
}

// A PDF with its creation date blanked: each study stamps its own start.
std::string withoutDate(std::string pdf) {
  return QString::fromStdString(pdf)
      .replace(QRegularExpression("/CreationDate \\(D:[0-9+\\-Z']*\\)"), "/CreationDate ()")
      .toStdString();
}

// The one results window open; nullptr when there is none, or more than one.
kvt::ui::ResultsWindow* resultsWindow() {
  kvt::ui::ResultsWindow* found = nullptr;
  for (QWidget* window : QApplication::topLevelWidgets())
    if (auto* results = qobject_cast<kvt::ui::ResultsWindow*>(window)) {
      if (found) return nullptr;
      found = results;
    }
  return found;
}

bool ended(const StudyJob* job) {
  return job && !job->isRunning() && job->state() != StudyJob::State::Ready;
}

}  // namespace

class StudyWindowTest : public QObject {
  Q_OBJECT

  std::unique_ptr<kvt::testing::WindowSession> session_;
  std::vector<std::shared_ptr<const kvt::RunRecord>> compared_;

  kvt::testing::FakePrompt& prompt() { return session_->prompt(); }
  std::string file(const std::string& name) const { return session_->dir().file(name); }

  kvt::ui::StudyHost host() {
    return {session_->form().entries(),
            prompt(),
            clock_,
            {},
            [this](std::shared_ptr<const kvt::RunRecord> run) { compared_.push_back(run); },
            {}};
  }

  // beam1.kvt, the default example, loaded into the parameter window.
  void loadBase(const char* example = "default.kvt") {
    std::filesystem::copy_file(std::string(KVT_EXAMPLES) + "/" + example, file("beam1.kvt"));
    QVERIFY(kvt::LoadParameterFile(file("beam1.kvt"), session_->form().entries(),
                                   session_->form().parameterFileLines(), prompt()));
  }

  static void vary(kvt::ui::StudyGridEditor& editor, int row, const char* name,
                   const char* values) {
    while (editor.entryCount() <= row)
      editor.addEntry("lb", "");
    QComboBox* names = editor.nameBox(row);
    names->setCurrentIndex(names->findData(name));
    editor.valuesBox(row)->setText(values);
  }

  std::string saved(StudyResultsView& view, bool figure, const std::string& name) {
    prompt().fileNames.push_back(file(name));
    view.findChild<QPushButton*>(figure ? "saveFigureButton" : "saveSummaryButton")->click();
    return readBytes(file(name));
  }

  kvt::testing::FixedClock clock_;

 private slots:
  void init() {
    session_ = std::make_unique<kvt::testing::WindowSession>();
    compared_.clear();
  }
  void cleanup() { session_.reset(); }

  // Twelve runs, fine enough that a cancel lands part-way: cancelled, then run again to the end;
  // and cancelled, then continued. Either way the summary is kvt-batch's.
  void cancelledStudyRunAgainGivesKvtBatchsSummary() {
    loadBase();
    const QStringList grid = {"--vary",      "bar=D10,D13,D16", "--vary",
                              "lb=10:40:10", "--vary",          "deltaL=0.01"};
    QCOMPARE(kvtBatch(session_->dir().path().string(), grid + QStringList{"beam1.kvt"}), QString());
    const std::string expected = readBytes(file("beam1.study.csv"));

    kvt::ui::StudyWindow window(host());
    vary(*window.gridEditor(), 0, "bar", "D10,D13,D16");
    vary(*window.gridEditor(), 1, "lb", "10:40:10");
    vary(*window.gridEditor(), 2, "deltaL", "0.01");
    window.runBar()->jobsBox()->setValue(1);
    QCOMPARE(window.findChild<QLabel*>("planLabel")->text(), QString("12 runs"));
    for (const char* again : {"runButton", "continueButton"}) {
      window.runBar()->runButton()->click();
      QVERIFY(QTest::qWaitFor([&] { return window.job()->done() > 0; }, 20000));
      window.runBar()->cancelButton()->click();
      QVERIFY(QTest::qWaitFor([&] { return ended(window.job()); }, 20000));
      QCOMPARE(window.job()->state(), StudyJob::State::Cancelled);
      QVERIFY(window.job()->done() < 12);
      QVERIFY(window.runBar()->continueButton()->isEnabled());
      window.findChild<QPushButton*>(again)->click();
      QVERIFY(QTest::qWaitFor([&] { return ended(window.job()); }, 20000));
      QCOMPARE(window.job()->state(), StudyJob::State::Finished);
      QCOMPARE(window.results()->table()->model()->rowCount(), 12);
      QCOMPARE(saved(*window.results(), false, "window.study.csv"), expected);
    }
  }

  void savedFiguresAreKvtBatchsFigures() {
    loadBase();
    QCOMPARE(kvtBatch(session_->dir().path().string(),
                      {"--vary", "bar=D13,D19,D25", "--vary", "lb=10:30:10", "--figures",
                       "png,svg,pdf", "beam1.kvt"}),
             QString());
    kvt::ui::StudyWindow window(host());
    vary(*window.gridEditor(), 0, "bar", "D13,D19,D25");
    vary(*window.gridEditor(), 1, "lb", "10:30:10");
    window.run();
    QVERIFY(QTest::qWaitFor([&] { return ended(window.job()); }, 20000));
    StudyResultsView& view = *window.results();
    for (const auto& [tab, suffix] :
         {std::pair{Tab::LoadSlip, "load-slip"}, {Tab::Pbumax, "pbumax"}}) {
      view.showTab(tab);
      for (const char* format : {"png", "svg", "pdf"}) {
        const std::string name = std::string("beam1.study.") + suffix + "." + format;
        const std::string ours = saved(view, true, "window." + name);
        QVERIFY(!ours.empty());
        if (std::string(format) == "pdf")
          QVERIFY(withoutDate(ours) == withoutDate(readBytes(file(name))));
        else
          QVERIFY2(ours == readBytes(file(name)), name.c_str());
      }
    }
    // Against the other entry the figure differs from kvt-batch's, which draws against the last.
    view.setAgainst(0);
    view.showTab(Tab::Pbumax);
    QCOMPARE(view.figure(Tab::Pbumax).panels.at(0).x.title, std::string("bar diameter db"));
  }

  void requiredLengthOfThreeBarsIsKvtBatchs() {
    loadBase();
    QCOMPARE(kvtBatch(session_->dir().path().string(),
                      {"--vary", "bar=D13,D16,D19", "--find-lb", "--fy", "3500", "--codes", "all",
                       "--figures", "png", "beam1.kvt"}),
             QString());
    kvt::ui::RequiredLengthWindow window(host());
    vary(*window.gridEditor(), 0, "bar", "D13,D16,D19");
    QCOMPARE(window.findChild<QLabel*>("planLabel")->text(), QString("3 cases"));
    window.run();
    QVERIFY(QTest::qWaitFor([&] { return ended(window.job()); }, 30000));
    QCOMPARE(saved(*window.results(), false, "window.study.csv"),
             readBytes(file("beam1.study.csv")));
    window.results()->showTab(Tab::RequiredLength);
    QVERIFY(saved(*window.results(), true, "window.required-lb.png") ==
            readBytes(file("beam1.study.required-lb.png")));
    // The codes' lengths stand beside the simulated one in the table, as in the summary.
    const QAbstractItemModel& table = *window.results()->table()->model();
    QCOMPARE(table.headerData(table.columnCount() - 1, Qt::Horizontal).toString(),
             QString("ACI 318-19 design ld (cm)"));
    QVERIFY(!table.index(0, table.columnCount() - 1).data().toString().isEmpty());

    // Each answer with its confirming runs: the one at the required lb reaches fy·Ab, the one
    // 0.1 cm shorter does not; both are opened as ordinary runs.
    StudyResultsView& view = *window.results();
    view.selectRow(1);
    const kvt::ui::StudyRow& row = *view.selectedRow();
    QVERIFY(row.required && row.required->kind == kvt::RequiredLength::Kind::Found);
    view.findChild<QPushButton*>("compareRowButton")->click();
    view.findChild<QPushButton*>("openShorterButton")->click();
    QVERIFY(QTest::qWaitFor([&] { return view.actions().pending() == 0; }, 20000));
    QCOMPARE(compared_.size(), std::size_t{1});
    QCOMPARE(compared_[0]->PMax(), row.required->PMax);
    QVERIFY(compared_[0]->PMax() >= row.yieldForce);
    QCOMPARE(compared_[0]->caseName(),
             "beam1.kvt (bar=D16, lb=" + kvt::lengthText(row.required->tenths) + ")");
    auto* shorter = resultsWindow();
    QVERIFY(shorter);
    QCOMPARE(shorter->run().PMax(), row.required->shorterPMax);
    QVERIFY(shorter->run().PMax() < row.yieldForce);
    delete shorter;

    // "Use as case" types the bar and the required length into the parameter window.
    view.findChild<QPushButton*>("useAsCaseButton")->click();
    QCOMPARE(session_->form().box(10)->text(), QString("1.59"));
    QCOMPARE(session_->form().box(6)->text(),
             QString::fromStdString(kvt::lengthText(row.required->tenths)));
    QCOMPARE(session_->form().box(4)->text(), QString("0.80"));  // db/2, as the case ran
  }

  // From the parameter window's menu: one study window however often asked for; a row opened is
  // kept with the session's runs.
  void aRowIsRunAgainWhenOpened() {
    loadBase();
    session_->form().box(4)->setText("0.5");  // Δl no longer db/2
    for (int k = 0; k < 2; ++k)
      session_->form().findChild<QAction*>("studyItem")->trigger();
    const auto windows = session_->form().findChildren<kvt::ui::StudyWindow*>();
    QCOMPARE(windows.size(), 1);
    kvt::ui::StudyWindow& window = *windows.front();
    vary(*window.gridEditor(), 0, "pw", "0.2,0.4");
    window.run();
    QVERIFY(QTest::qWaitFor([&] { return ended(window.job()); }, 20000));
    StudyResultsView& view = *window.results();
    // Sorted by Pbumax, largest first: the row chosen is the grid's second.
    view.table()->sortByColumn(6, Qt::DescendingOrder);
    view.table()->selectRow(0);
    QCOMPARE(view.selectedRow()->gridRun, std::uint64_t{1});
    view.findChild<QPushButton*>("openRowButton")->click();
    QVERIFY(QTest::qWaitFor([&] { return view.actions().pending() == 0; }, 20000));
    auto* results = resultsWindow();
    QVERIFY(results);
    QCOMPARE(results->run().PMax(), view.selectedRow()->PMax);
    QCOMPARE(results->run().caseName(), std::string("beam1.kvt (modified, pw=0.4)"));
    QCOMPARE(results->run().parameters().deltaL, 0.5f);
    QCOMPARE(session_->form().keptRuns().count(), 1);
    delete results;

    // "Use as case" gives the parameter window the row's entries, Δl as the study ran it.
    session_->form().box(14)->setText("0.9");
    session_->form().box(4)->setText("0.7");
    view.findChild<QPushButton*>("useAsCaseButton")->click();
    QCOMPARE(session_->form().box(14)->text(), QString("0.4"));
    QCOMPARE(session_->form().box(4)->text(), QString("0.5"));
  }

  // A bar sorts by its diameter (as text D6 would come last); in SI the table and the saved
  // summary are kvt-batch's --units si.
  void theTableSortsByValueAndShowsEitherUnits() {
    loadBase();
    QCOMPARE(kvtBatch(session_->dir().path().string(),
                      {"--vary", "bar=D6,D10,D13", "--units", "si", "beam1.kvt"}),
             QString());
    kvt::ui::StudyWindow window(host());
    vary(*window.gridEditor(), 0, "bar", "D6,D10,D13");
    window.run();
    QVERIFY(QTest::qWaitFor([&] { return ended(window.job()); }, 20000));
    StudyResultsView& view = *window.results();
    const QAbstractItemModel& table = *view.table()->model();
    view.table()->sortByColumn(1, Qt::DescendingOrder);
    QStringList bars;
    for (int row = 0; row < table.rowCount(); ++row)
      bars << table.index(row, 1).data().toString();
    QCOMPARE(bars, (QStringList{"D13", "D10", "D6"}));

    const int pbumax = 6;
    QCOMPARE(table.headerData(pbumax, Qt::Horizontal).toString(), QString("Pbumax (kgf)"));
    const double kgf = table.index(0, pbumax).data().toDouble();
    view.setUnits(kvt::UnitSystem::SI);
    QCOMPARE(table.headerData(pbumax, Qt::Horizontal).toString(), QString("Pbumax (kN)"));
    const double kN = table.index(0, pbumax).data().toDouble();
    QVERIFY2(std::abs(kN - kgf * 9.80665e-3) <= 1e-5 * kN, qPrintable(QString::number(kN)));
    QCOMPARE(saved(view, false, "window.study.csv"), readBytes(file("beam1.study.csv")));
  }

  // "Continue" goes on only with the entries the study started with; else it says so.
  void aStudyGoesOnOnlyWithTheEntriesItStartedWith() {
    kvt::ui::StudyWindow window(host());
    vary(*window.gridEditor(), 0, "lb", "10:40:10");
    window.run();
    window.cancel();  // before any case can have come back
    QVERIFY(QTest::qWaitFor([&] { return ended(window.job()); }, 20000));
    QCOMPARE(window.job()->state(), StudyJob::State::Cancelled);
    QVERIFY(window.runBar()->continueButton()->isEnabled());
    session_->form().box(7)->setText("300");  // σB, in the parameter window
    window.resume();
    QCOMPARE(window.job()->state(), StudyJob::State::Cancelled);
    QCOMPARE(prompt().warnings.size(), std::size_t{1});
    QVERIFY(!window.runBar()->continueButton()->isEnabled());
  }

  // fy is read in the unit chosen, or in its own; one no reinforcing bar has (3500 MPa, typed
  // as kgf/cm² were meant) is run only when the user agrees.
  void theYieldStressIsReadInItsUnit() {
    kvt::ui::RequiredLengthWindow window(host());
    const auto fyRun = [&](const char* text, int unit) -> std::optional<double> {
      const QPointer<kvt::ui::StudyJob> before = window.job();  // null once replaced
      window.yieldStressBox()->setText(text);
      window.yieldUnitBox()->setCurrentIndex(unit);
      window.run();
      if (window.job() == before) return std::nullopt;
      window.cancel();
      if (!QTest::qWaitFor([&] { return ended(window.job()); }, 20000)) return -1.0;
      return window.job()->engine()->request.options.fy;
    };
    struct Case {
      const char* text;
      int unit;  // 0: kgf/cm², 1: MPa
      bool agree;
      std::optional<double> fy;  // kgf/cm²; none: nothing runs
    };
    const Case cases[] = {
        {"3500", 0, false, 3500.0},
        {"345", 1, false, 345 / 0.0980665},
        {"3500", 1, false, std::nullopt},
        {"3500", 1, true, 3500 / 0.0980665},
        {"345MPa", 0, false, 345 / 0.0980665},
    };
    for (const Case& c : cases) {
      prompt().answer = c.agree;
      const std::optional<double> fy = fyRun(c.text, c.unit);
      QCOMPARE(fy.has_value(), c.fy.has_value());
      if (fy) QVERIFY2(std::abs(*fy - *c.fy) < 1e-9 * *c.fy, c.text);
    }
    QCOMPARE(prompt().questions.size(), std::size_t{2});  // 3500 MPa, twice
  }

  void theGridSaysWhatStopsItBeforeAnythingRuns() {
    kvt::ui::StudyWindow window(host());
    auto& editor = *window.gridEditor();
    struct Case {
      std::vector<std::pair<const char*, const char*>> rows;
      const char* plan;
    };
    const std::vector<Case> cases = {
        {{{"lb", "10:60:5"}}, "11 runs"},
        {{{"lb", "10:20:3"}}, "4 runs; lb: the range ends at 19"},
        {{{"bar", "D13,D19"}, {"db", "1,2"}}, "bar sets db, Ab and phi"},
        {{{"lb", "10,,20"}}, "lb: "},
        {{{"ds", "0,0.00001"}}, "ds: the initial ds must be positive, not 0"},
        {{{"lb", ""}}, "lb: give its values"},
        {{{"bar", "D13,D14"}}, "bar: "},
    };
    for (const Case& c : cases) {
      while (editor.entryCount() > 0)
        editor.removeEntry(0);
      for (std::size_t k = 0; k < c.rows.size(); ++k)
        vary(editor, static_cast<int>(k), c.rows[k].first, c.rows[k].second);
      const QString plan = window.findChild<QLabel*>("planLabel")->text();
      QVERIFY2(plan.startsWith(c.plan), qPrintable(plan));
      QCOMPARE(window.runBar()->runButton()->isEnabled(), QString(c.plan).contains(" runs"));
    }
  }
};

int main(int argc, char** argv) {
  // A PDF lists its fonts in the order of a hash table: seeded as kvt-batch seeds it.
  QHashSeed::setDeterministicGlobalSeed();
  QApplication app(argc, argv);
  StudyWindowTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "study_window_test.moc"
