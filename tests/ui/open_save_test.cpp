// SPDX-License-Identifier: MIT
// The file selection window in a temporary directory tree, on the offscreen platform.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>

#include "support/fake_prompt.h"
#include "support/file_bytes.h"
#include "support/fixed_clock.h"
#include "support/temp_dir.h"
#include "ui/file_lists.h"
#include "ui/form1.h"
#include "ui/frm_open_save.h"
#include "ui/run_controller.h"

using kvt::ui::Form1;
using kvt::ui::frmOpenSave;
namespace fs = std::filesystem;

namespace {

using kvt::testing::readBytes;
using kvt::testing::writeBytes;

QStringList listed(const QListWidget* list) {
  QStringList names;
  for (int k = 0; k < list->count(); ++k)
    names << list->item(k)->text();
  return names;
}

QString shown(const fs::path& path) {
  return QString::fromStdString(fs::canonical(path).string());
}

using kvt::testing::FakePrompt;

QStringList texts(const std::vector<FakePrompt::Message>& messages) {
  QStringList list;
  for (const auto& m : messages)
    list << QString::fromStdString(m.text);
  return list;
}

}  // namespace

class OpenSaveTest : public QObject {
  Q_OBJECT

  std::unique_ptr<kvt::testing::TempDir> dir_;
  std::unique_ptr<kvt::testing::Cwd> cwd_;
  kvt::AnalysisParameters record_;
  std::unique_ptr<Form1> form_;
  FakePrompt prompt_;
  kvt::testing::FixedClock clock_;

  std::unique_ptr<frmOpenSave> open(bool saveMode) {
    auto window = std::make_unique<frmOpenSave>(form_->entries(), form_->parameterFileLines(),
                                                form_->userPrompt());
    kvt::ui::prepareOpenSave(*window, saveMode);
    window->show();
    return window;
  }

  void useAnswer(bool answer) { prompt_.answer = answer; }

  void type(frmOpenSave& window, const QString& text) {
    window.nameBox()->selectAll();
    QTest::keyClicks(window.nameBox(), text);
  }

  fs::path root() const { return fs::canonical(dir_->path()); }

 private slots:
  void init() {
    dir_ = std::make_unique<kvt::testing::TempDir>();
    cwd_ = std::make_unique<kvt::testing::Cwd>(dir_->path());
    fs::create_directories(dir_->path() / "sub" / "deeper");
    writeBytes(dir_->path() / "a.kvt", "");
    writeBytes(dir_->path() / "B.KVT", "");
    writeBytes(dir_->path() / "notes.txt", "");
    writeBytes(dir_->path() / "README", "");
    writeBytes(dir_->path() / "sub" / "c.kvt", "");
    record_ = {};
    prompt_ = {};
    form_ = std::make_unique<Form1>(record_, prompt_, clock_);
  }
  void cleanup() {
    form_.reset();
    cwd_.reset();
    dir_.reset();
  }

  void bothModesStartFromTheDesignState() {
    for (const bool save : {false, true}) {
      auto window = open(save);
      QVERIFY(QTest::qWaitForWindowExposed(window.get()));
      QCOMPARE(window->windowTitle(), QString(save ? "KVT Save" : "KVT Open"));
      QCOMPARE(window->size(), QSize(384, 265));  // 5760 × 3975 twips
      QCOMPARE(window->nameBox()->text(), QString("*.kvt"));
      QCOMPARE(window->nameBox()->selectedText(), QString("*.kvt"));
      QVERIFY(!window->okButton()->isEnabled());
      QCOMPARE(listed(window->fileList()), QStringList({"B.KVT", "a.kvt"}));
      QCOMPARE(window->pathLabel()->text(), shown(root()));
      QCOMPARE(QApplication::focusWidget(), window->fileList());
      QCOMPARE(window->driveList()->drive(), window->driveList()->driveOf(shown(root())));
    }
  }

  void typingEnablesOkForGood() {
    auto window = open(false);
    type(*window, "x");
    QVERIFY(window->okButton()->isEnabled());
    type(*window, "*.kvt");
    QVERIFY(window->okButton()->isEnabled());
    window->nameBox()->clear();
    QVERIFY(window->okButton()->isEnabled());
  }

  void clickNamesTheFileAndDoubleClickLoadsIt() {
    fs::path path = root() / "a.kvt";
    writeBytes(path,
               "loaded\r\n1\r\n2\r\n0.65\r\n3\r\n20\r\nY\r\n360\r\n30\r\n2.4\r\n1.30\r\n"
               "1.27\r\n4\r\n2.1\r\n0.2\r\n118\r\n9.98\r\n1\r\n0\r\n0\r\n");
    auto window = open(false);
    QListWidgetItem* item = window->fileList()->findItems("a.kvt", Qt::MatchExactly).first();
    const QRect area = window->fileList()->visualItemRect(item);
    QTest::mouseClick(window->fileList()->viewport(), Qt::LeftButton, {}, area.center());
    QCOMPARE(window->nameBox()->text(), QString("a.kvt"));
    QTest::mouseDClick(window->fileList()->viewport(), Qt::LeftButton, {}, area.center());
    QVERIFY(!window->isVisible());
    QCOMPARE(form_->box(1)->text(), QString("loaded"));
    QVERIFY(form_->detailOutputBox()->isChecked());
    QCOMPARE(record_.parameterFilePath, path.string());
    QCOMPARE(record_.resultFilePath, path.string());
  }

  void wildcardShowsEveryFileAndKeepsTheWindowOpen() {
    auto window = open(false);
    type(*window, "*.*");
    QTest::mouseClick(window->okButton(), Qt::LeftButton);
    QVERIFY(window->isVisible());
    QCOMPARE(listed(window->fileList()), QStringList({"B.KVT", "README", "a.kvt", "notes.txt"}));
    QCOMPARE(window->nameBox()->text(), QString("*.*"));
  }

  void subdirectoryOrFullPathMovesTheListsAndRestoresThePattern() {
    auto window = open(true);
    type(*window, "sub");
    QTest::mouseClick(window->okButton(), Qt::LeftButton);
    QVERIFY(window->isVisible());
    QCOMPARE(window->directoryList()->path(), shown(root() / "sub"));
    QCOMPARE(listed(window->fileList()), QStringList({"c.kvt"}));
    QCOMPARE(window->nameBox()->text(), QString("*.kvt"));
    QCOMPARE(QDir::currentPath(), shown(root() / "sub"));

    type(*window, shown(root()));
    QTest::keyClick(window->nameBox(), Qt::Key_Return);
    QCOMPARE(window->directoryList()->path(), shown(root()));
    QCOMPARE(window->nameBox()->text(), QString("*.kvt"));
  }

  void movingToAnotherDirectoryReplacesATypedName() {
    auto window = open(true);
    type(*window, "new.kvt");
    window->directoryList()->setPath(shown(root() / "sub"));
    QCOMPARE(window->nameBox()->text(), QString("*.kvt"));
    QCOMPARE(window->pathLabel()->text(), shown(root() / "sub"));
  }

  void savingANewBareNameWritesItInTheDirectoryShown() {
    record_.parameterFilePath = "earlier.kvt";
    auto window = open(true);
    window->directoryList()->setPath(shown(root() / "sub"));
    type(*window, "new.kvt");
    QTest::mouseClick(window->okButton(), Qt::LeftButton);
    QVERIFY(!window->isVisible());
    QCOMPARE(readBytes(root() / "sub" / "new.kvt").substr(0, 27),
             std::string("Please input the comment.\r\n"));
    QCOMPARE(record_.resultFilePath, std::string("new.kvt"));
    QCOMPARE(record_.parameterFilePath, std::string("earlier.kvt"));
    QVERIFY(prompt_.questions.empty());
  }

  void openingAMissingNameKeepsTheWindowOpen() {
    auto window = open(false);
    type(*window, "missing.kvt");
    QTest::mouseClick(window->okButton(), Qt::LeftButton);
    QVERIFY(window->isVisible());
    QCOMPARE(texts(prompt_.warnings), QStringList({"ファイルが存在しません。"}));
    QCOMPARE(form_->box(1)->text(), QString("Please input the comment."));
  }

  // A name whose existence cannot be tested (here a symbolic link that points to itself): the
  // platform's reason, with the full path, and the window stays open.
  void aNameThatCannotBeTestedIsReportedWithItsFullPath() {
    fs::create_symlink("loop", root() / "loop");
    auto window = open(true);
    type(*window, "loop/beam.kvt");
    QTest::mouseClick(window->okButton(), Qt::LeftButton);
    QVERIFY(window->isVisible());
    QCOMPARE(texts(prompt_.warnings),
             QStringList({shown(root()) + "/loop/beam.kvt could not be checked: " +
                          QString::fromLocal8Bit(std::strerror(ELOOP))}));
  }

  void declinedOverwriteClosesWithoutWritingButNamesTheFile() {
    useAnswer(false);
    writeBytes(root() / "a.kvt", "precious");
    auto window = open(true);
    window->fileList()->setCurrentRow(1);  // a.kvt
    window->choose();
    QVERIFY(!window->isVisible());
    QCOMPARE(texts(prompt_.questions), QStringList({"ファイルを上書きしますか？"}));
    QCOMPARE(readBytes(root() / "a.kvt"), std::string("precious"));
    QCOMPARE(record_.parameterFilePath, (root() / "a.kvt").string());
    QCOMPARE(record_.resultFilePath, std::string());
  }

  void cancelEscapeAndCloseChangeNothing() {
    for (int way = 0; way < 3; ++way) {
      auto window = open(way == 2);
      type(*window, "a.kvt");
      if (way == 0) QTest::mouseClick(window->cancelButton(), Qt::LeftButton);
      if (way == 1) QTest::keyClick(window.get(), Qt::Key_Escape);
      if (way == 2) window->close();
      QVERIFY(!window->isVisible());
      QCOMPARE(record_.parameterFilePath, std::string());
      QCOMPARE(record_.resultFilePath, std::string());
      QCOMPARE(readBytes(root() / "a.kvt"), std::string());
      QCOMPARE(form_->box(1)->text(), QString("Please input the comment."));
    }
  }

  void theNextOpeningStartsWhereTheUserLastBrowsed() {
    {
      auto window = open(false);
      window->directoryList()->setPath(shown(root() / "sub" / "deeper"));
      QTest::mouseClick(window->cancelButton(), Qt::LeftButton);
    }
    auto window = open(true);
    QCOMPARE(window->directoryList()->path(), shown(root() / "sub" / "deeper"));
    QCOMPARE(window->nameBox()->text(), QString("*.kvt"));
  }

  void aFileInTheRootGetsOneSeparator() {
    // Open mode: a file of the root directory is only read, never written.
    auto window = open(false);
    window->fileList()->setPath("/");
    window->fileList()->setPattern("*");
    if (window->fileList()->count() == 0) QSKIP("the root directory holds no ordinary file");
    window->fileList()->setCurrentRow(0);
    const std::string name = window->fileList()->selectedName().toStdString();
    window->choose();
    QCOMPARE(record_.parameterFilePath, "/" + name);
  }

  // A saved case loads back as saved: db 1.91 with a Δl of its own, into a window that shows
  // another db, keeps that Δl.
  void aSavedDeltaLLoadsBackWhateverTheDbShown() {
    form_->box(10)->setText("1.91");
    form_->box(4)->setText("0.20");
    auto saving = open(true);
    type(*saving, "beam1.kvt");
    QTest::mouseClick(saving->okButton(), Qt::LeftButton);
    form_->box(10)->setText("1.30");
    QCOMPARE(form_->box(4)->text(), QString("0.65"));
    auto opening = open(false);
    opening->fileList()->setCurrentItem(
        opening->fileList()->findItems("beam1.kvt", Qt::MatchExactly).first());
    opening->choose();
    QCOMPARE(form_->box(10)->text(), QString("1.91"));
    QCOMPARE(form_->box(4)->text(), QString("0.20"));
    QCOMPARE(record_.deltaL, 0.2f);
  }

  // Opening something that is not a parameter file asks first; No, the default, keeps every box.
  void aFileThatIsNoParameterFileIsLoadedOnlyOnYes() {
    std::string csv = "step,s0 (cm),loaded-end slip (cm)\r\n";
    for (int k = 0; k < 19; ++k)
      csv += "slip,force\r\n";
    writeBytes(root() / "curve.kvt", csv);
    for (const bool answer : {false, true}) {
      prompt_ = {};
      useAnswer(answer);
      const kvt::BoxTexts before = form_->entries().texts();
      auto opening = open(false);
      opening->fileList()->setCurrentItem(
          opening->fileList()->findItems("curve.kvt", Qt::MatchExactly).first());
      opening->choose();
      QCOMPARE(texts(prompt_.questions),
               QStringList{"The file \"" + shown(root() / "curve.kvt") +
                           "\" does not look like a parameter file. Load it anyway?"});
      QCOMPARE(prompt_.questions[0].title, std::string("KVT"));
      QCOMPARE(form_->entries().texts() == before, !answer);
      QCOMPARE(form_->box(6)->text(), answer ? QString("slip,force") : QString("20.00"));
    }
  }

  void saveChangeOpenAndExecuteWritesTheResultBesideTheFile() {
    // Save through the window into a folder.
    auto saving = open(true);
    type(*saving, shown(root() / "sub"));
    QTest::mouseClick(saving->okButton(), Qt::LeftButton);
    type(*saving, "beam1.kvt");
    QTest::mouseClick(saving->okButton(), Qt::LeftButton);
    QVERIFY(fs::exists(root() / "sub" / "beam1.kvt"));
    // Change a box, then open the file again by a double click.
    form_->box(6)->setText("10");
    auto opening = open(false);
    QCOMPARE(opening->directoryList()->path(), shown(root() / "sub"));
    opening->fileList()->setCurrentItem(
        opening->fileList()->findItems("beam1.kvt", Qt::MatchExactly).first());
    opening->choose();
    QCOMPARE(form_->box(6)->text(), QString("20.00"));
    // Execute: the result file lands beside the parameter file and names it.
    form_->execute();
    kvt::ui::RunController* run = form_->runController();
    QTRY_COMPARE_WITH_TIMEOUT(run->state(), kvt::ui::RunController::State::Finished, 20000);
    const std::string result = readBytes(root() / "sub" / "beam1.T-S");
    const std::string expected = "KVT file = " + (root() / "sub" / "beam1.kvt").string() + ", at ";
    QVERIFY2(result.find(expected) != std::string::npos, result.substr(0, 120).c_str());
    QVERIFY(prompt_.warnings.empty());
  }
};

QTEST_MAIN(OpenSaveTest)
#include "open_save_test.moc"
