// SPDX-License-Identifier: MIT
// The desktop program's command line and start: the options, a parameter file loaded at start as
// a double click would load it, and the icon its windows carry.
#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <fstream>

#include "support/fake_prompt.h"
#include "support/fixed_clock.h"
#include "support/temp_dir.h"
#include "ui/form1.h"
#include "ui/kvt_command_line.h"
#include "ui/program_identity.h"
#include "ui/start_file.h"

using kvt::ui::KvtCommand;

namespace {

// What a command line asks for, or its usage error.
std::string describe(const std::vector<std::string>& arguments) {
  KvtCommand command;
  try {
    command = kvt::ui::parseKvtCommandLine(arguments);
  } catch (const kvt::UsageError& error) {
    return error.what();
  }
  switch (command.action) {
    case KvtCommand::Action::Help:
      return "help";
    case KvtCommand::Action::Version:
      return "version";
    case KvtCommand::Action::Run:
      break;
  }
  return "run " + command.file;
}

}  // namespace

class StartFileTest : public QObject {
  Q_OBJECT

  kvt::testing::FakePrompt prompt_;
  kvt::testing::FixedClock clock_;

 private slots:
  void init() { prompt_ = {}; }

  void commandLine_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("expected");
    QTest::newRow("nothing") << QStringList{} << "run ";
    QTest::newRow("a file") << QStringList{"beam1.kvt"} << "run beam1.kvt";
    QTest::newRow("help wins over a bad option") << QStringList{"-x", "--help"} << "help";
    QTest::newRow("version beside a file") << QStringList{"a.kvt", "--version"} << "version";
    QTest::newRow("a dash file after --") << QStringList{"--", "--help"} << "run --help";
    QTest::newRow("unknown option") << QStringList{"--bogus", "a.kvt"} << "unknown option --bogus";
    QTest::newRow("two files") << QStringList{"a.kvt", "b.kvt"}
                               << "one parameter file at a time, not 2";
  }

  void commandLine() {
    QFETCH(QStringList, args);
    QFETCH(QString, expected);
    std::vector<std::string> arguments;
    for (const QString& arg : args)
      arguments.push_back(arg.toStdString());
    QCOMPARE(QString::fromStdString(describe(arguments)), expected);
  }

  void aFileNamedAtStartLoadsAsADoubleClickWould() {
    kvt::testing::TempDir dir;
    {
      std::ofstream file(dir.file("beam1.kvt"), std::ios::binary);
      const char* lines[] = {"beam 1", "1.5", "100", "0.70", "3.0", "25",  "Y", "300", "28", "2.5",
                             "1.6",    "2.0", "5.0", "2.0",  "0.3", "100", "9", "0.9", "0",  "0"};
      for (const char* line : lines)
        file << line << "\r\n";
    }
    kvt::AnalysisParameters record;
    kvt::ui::Form1 form(record, prompt_, clock_);
    const kvt::testing::Cwd cwd(dir.path());
    QVERIFY(kvt::ui::openParameterFileAtStart(form, "./beam1.kvt"));
    QVERIFY(prompt_.warnings.empty());
    QCOMPARE(form.box(1)->text(), QString("beam 1"));
    QCOMPARE(form.box(6)->text(), QString("25"));
    QCOMPARE(form.box(4)->text(), QString("0.70"));  // the file's Δl, though its db is new
    QCOMPARE(record.detailOutput, 1);
    // Both paths name the file in full, so the run's report lands beside it.
    QCOMPARE(record.parameterFilePath, dir.file("beam1.kvt"));
    QCOMPARE(record.resultFilePath, dir.file("beam1.kvt"));
  }

  void aFileThatCannotBeReadIsReportedAndTheDefaultsStay() {
    kvt::testing::TempDir dir;
    kvt::AnalysisParameters record;
    kvt::ui::Form1 form(record, prompt_, clock_);
    QVERIFY(!kvt::ui::openParameterFileAtStart(form, dir.file("missing.kvt")));
    QCOMPARE(prompt_.warnings.size(), std::size_t{1});
    QVERIFY(prompt_.warnings[0].text.find("missing.kvt") != std::string::npos);
    QCOMPARE(form.box(6)->text(), QString("20.00"));
    QVERIFY(record.parameterFilePath.empty());
    QVERIFY(record.resultFilePath.empty());
  }

  void everyWindowCarriesTheProgramsIcon() {
    kvt::ui::setProgramIdentity();
    kvt::AnalysisParameters record;
    kvt::ui::Form1 form(record, prompt_, clock_);
    QVERIFY(!form.windowIcon().pixmap(32, 32).isNull());
    QCOMPARE(QApplication::applicationVersion(), QString(KVT_VERSION));
  }
};

QTEST_MAIN(StartFileTest)
#include "start_file_test.moc"
