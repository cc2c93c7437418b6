// SPDX-License-Identifier: MIT
// The "Bond law" window on the offscreen platform.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <fstream>

#include "figures/figure.h"
#include "support/committed_defaults.h"
#include "support/fake_prompt.h"
#include "support/temp_dir.h"
#include "support/window_session.h"
#include "ui/bond_law_window.h"
#include "ui/figure_view.h"
#include "ui/results_window.h"

using kvt::LawEntries;
using kvt::Mc2010Entries;
using kvt::ui::BondLawWindow;

Q_DECLARE_METATYPE(kvt::LawEntries)

class BondLawWindowTest : public QObject {
  Q_OBJECT

  kvt::AnalysisParameters record_ = kvt::testing::committedDefaults();
  kvt::testing::FakePrompt prompt_;
  kvt::testing::TempDir dir_;

  template <class T>
  static T* child(BondLawWindow& w, const char* name) {
    T* widget = w.findChild<T*>(name);
    if (!widget) qFatal("no %s", name);
    return widget;
  }
  static void type(BondLawWindow& w, const char* box, const QString& text) {
    QLineEdit* edit = child<QLineEdit>(w, box);
    edit->selectAll();
    QTest::keyClicks(edit, text);
  }
  static std::size_t curves(BondLawWindow& w) {
    return w.figureView()->figure().panels.front().curves.size();
  }

 private slots:
  void mc2010IsDrawnBesideKvtsOwnLawAndHandedOn() {
    BondLawWindow w(record_, kvt::KvtLawEntries{}, prompt_);
    w.show();
    QCOMPARE(curves(w), 1u);
    QVERIFY(kvt::isKvtLaw(*w.law()));
    child<QRadioButton>(w, "lawKind1")->click();
    type(w, "strength", "30");
    child<QComboBox>(w, "strengthKind")->setCurrentIndex(1);  // fck
    QCOMPARE(curves(w), 2u);
    QVERIFY(child<QLabel>(w, "lawProblem")->text().isEmpty());
    QSignalSpy chosen(&w, &BondLawWindow::lawChosen);
    QTest::mouseClick(child<QPushButton>(w, "useLaw"), Qt::LeftButton);
    QCOMPARE(chosen.count(), 1);
    const auto law = std::get<Mc2010Entries>(chosen.front().front().value<LawEntries>());
    QCOMPARE(law.fcm, 38.0);
    QCOMPARE(*law.fck, 30.0);
    QCOMPARE(law.cClear, 8.0);
  }

  void entriesThatGiveNoLawAreNamedAndNotUsed() {
    BondLawWindow w(record_, Mc2010Entries{}, prompt_);
    w.show();
    type(w, "c_clear", "1.5");  // good bond: s3 = 1.5 mm is short of s2 = 2 mm
    QVERIFY(child<QLabel>(w, "lawProblem")->text().contains("c_clear = 1.5 mm"));
    QVERIFY(!child<QPushButton>(w, "useLaw")->isEnabled());
    type(w, "c_clear", "8");
    type(w, "strength", "38 MPa");
    QCOMPARE(child<QLabel>(w, "lawProblem")->text(), QString("the strength is not a number"));
    QCOMPARE(curves(w), 1u);  // kvt's own law alone
  }

  void savedLawOpensAgain() {
    Mc2010Entries splitting;
    splitting.failure = Mc2010Entries::Failure::Lower;
    splitting.cMin = 25;
    splitting.cMax = 50;
    splitting.km = 12;
    splitting.Ktr = 0.02;
    BondLawWindow w(record_, splitting, prompt_);
    prompt_.fileNames = {dir_.file("split.toml")};
    QTest::mouseClick(child<QPushButton>(w, "saveLaw"), Qt::LeftButton);
    w.setLaw(kvt::KvtLawEntries{});
    prompt_.fileNames = {dir_.file("split.toml")};
    QTest::mouseClick(child<QPushButton>(w, "openLaw"), Qt::LeftButton);
    const auto back = std::get<Mc2010Entries>(*w.law());
    QCOMPARE(back.failure, Mc2010Entries::Failure::Lower);
    QCOMPARE(back.cMax, 50.0);
    QCOMPARE(back.Ktr, 0.02);
    QVERIFY(prompt_.warnings.empty());
  }

  void aTableIsChosenOrItsFaultReported() {
    BondLawWindow w(record_, kvt::KvtLawEntries{}, prompt_);
    child<QRadioButton>(w, "lawKind2")->click();
    QVERIFY(!w.law());
    std::ofstream(dir_.file("bad.csv")) << "slip (mm),bond stress (MPa)\n0,1\n0.5,x\n";
    std::ofstream(dir_.file("good.csv")) << "slip (mm),bond stress (MPa)\n0,0\n1,10\n3,4\n";
    prompt_.fileNames = {dir_.file("bad.csv"), dir_.file("good.csv")};
    QTest::mouseClick(child<QPushButton>(w, "chooseTable"), Qt::LeftButton);
    QCOMPARE(prompt_.warnings.size(), 1u);
    QVERIFY(QString::fromStdString(prompt_.warnings.front().text).contains("bad.csv: line 3"));
    QTest::mouseClick(child<QPushButton>(w, "chooseTable"), Qt::LeftButton);
    QCOMPARE(std::get<kvt::TableEntries>(*w.law()).points.size(), 3u);
    QCOMPARE(curves(w), 2u);
  }

  // "Bond law…" chooses the law of the next runs: the run shows in the analysis windows as any
  // run, writes no report, and its results window and saved data name the law.
  void theChosenLawRunsFromTheParameterWindow() {
    kvt::testing::WindowSession session;
    BondLawWindow* window = session.form().openBondLaw();
    QVERIFY(window);
    window->setLaw(Mc2010Entries{});
    QTest::mouseClick(child<QPushButton>(*window, "useLaw"), Qt::LeftButton);
    QVERIFY(std::holds_alternative<Mc2010Entries>(session.form().law()));
    kvt::ui::RunController* run = session.runToTheEnd();
    QVERIFY(run);
    QVERIFY(!std::filesystem::exists(session.dir().file("default.t-s")));
    kvt::ui::ResultsWindow* results = run->openResults();
    QVERIFY(results->windowTitle().endsWith("(fib MC2010 law)"));
    const std::string csv = session.dir().file("run.csv");
    QVERIFY(results->saveData(csv));
    std::ifstream in(csv);
    std::string first;
    std::getline(in, first);
    QCOMPARE(QString::fromStdString(first),
             QString("# bond law: fib MC2010: fcm = 38 MPa, bond good, failure pull-out, "
                     "c_clear = 8 mm\r"));
  }
};

QTEST_MAIN(BondLawWindowTest)
#include "bond_law_window_test.moc"
