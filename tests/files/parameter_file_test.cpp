// SPDX-License-Identifier: MIT
#include "files/parameter_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <future>
#include <iterator>
#include <vector>

#include "files/cp932.h"
#include "support/fake_prompt.h"
#include "support/file_bytes.h"
#include "support/temp_dir.h"
#include "support/unprivileged.h"

namespace kvt {
namespace {

using testing::FakePrompt;
using testing::readBytes;
using testing::writeBytes;

// The window's start state, with its own record.
struct Window {
  Window() { entries.loadDefaults(); }
  AnalysisParameters record;
  ParameterEntries entries{record};
  ParameterFileLines lines;
  FakePrompt prompt;
};

constexpr const char* kDefaultFile =
    "Please input the comment.\r\n1.480\r\n102.0\r\n0.65\r\n3.25\r\n20.00\r\nN\r\n360.00\r\n"
    "30.00\r\n2.400\r\n1.30\r\n1.27\r\n4.00\r\n2.100\r\n0.200\r\n118.00\r\n9.98\r\n1.000\r\n"
    "0.00\r\n0.00\r\n";

TEST(SaveParameterFile, WritesTheTwentyLinesAsTyped) {
  testing::TempDir dir;
  Window window;
  const std::string path = dir.file("default.kvt");
  EXPECT_EQ(SaveParameterFile(path, window.entries, window.prompt), SaveOutcome::Saved);
  EXPECT_EQ(readBytes(path), kDefaultFile);
  EXPECT_EQ(window.record.resultFilePath, path);
  EXPECT_TRUE(window.prompt.questions.empty());

  window.entries.setText(1, "梁 試験体①");
  window.entries.setText(1, "");
  window.entries.setText(1, "梁試験体");
  window.entries.setDetailOutput(true);
  window.prompt.answer = true;
  EXPECT_EQ(SaveParameterFile(path, window.entries, window.prompt), SaveOutcome::Saved);
  ASSERT_EQ(window.prompt.questions.size(), 1u);
  EXPECT_EQ(window.prompt.questions[0].title, "メニュー");
  EXPECT_EQ(window.prompt.questions[0].text, "ファイルを上書きしますか？");
  const std::string bytes = readBytes(path);
  EXPECT_EQ(bytes.substr(0, 10), toCp932("梁試験体\r\n"));
  EXPECT_NE(bytes.find("\r\n20.00\r\nY\r\n360.00\r\n"), std::string::npos);
}

TEST(SaveParameterFile, EmptyCommentAndUnrepresentableCharacters) {
  testing::TempDir dir;
  Window window;
  window.entries.setText(1, "");
  SaveParameterFile(dir.file("a.kvt"), window.entries, window.prompt);
  EXPECT_EQ(readBytes(dir.file("a.kvt")).substr(0, 9), "\r\n1.480\r\n");
  // Code page 932 has no "€"; it is written as "?" as Windows does.
  window.entries.setText(1, "5€");
  SaveParameterFile(dir.file("b.kvt"), window.entries, window.prompt);
  EXPECT_EQ(readBytes(dir.file("b.kvt")).substr(0, 4), "5?\r\n");
}

TEST(SaveParameterFile, DecliningTheOverwriteChangesNothing) {
  testing::TempDir dir;
  Window window;
  const std::string path = dir.file("old.kvt");
  writeBytes(path, "precious");
  window.prompt.answer = false;
  EXPECT_EQ(SaveParameterFile(path, window.entries, window.prompt), SaveOutcome::Declined);
  EXPECT_EQ(readBytes(path), "precious");
  EXPECT_EQ(window.record.resultFilePath, "");
  EXPECT_TRUE(window.prompt.warnings.empty());
}

TEST(SaveParameterFile, FailuresReportTheErrorNumberAndKeepTheOldState) {
  testing::TempDir dir;
  std::filesystem::create_directory(dir.path() / "folder.kvt");
  struct Case {
    std::string path;
    int error;
  };
  const Case cases[] = {
      {dir.file("missing/a.kvt"), ENOENT}, {dir.file("folder.kvt"), EISDIR}, {"/dev/full", ENOSPC}};
  for (const Case& c : cases) {
    Window window;
    window.record.resultFilePath = "before.kvt";
    EXPECT_EQ(SaveParameterFile(c.path, window.entries, window.prompt), SaveOutcome::Failed);
    ASSERT_EQ(window.prompt.warnings.size(), 1u) << c.path;
    EXPECT_EQ(window.prompt.warnings[0].title, "テキストエディタ");
    EXPECT_TRUE(window.prompt.warnings[0].text.starts_with(
        "エラーが発生しました。もう一度実行してください。" + std::to_string(c.error) + "\n\"" +
        c.path + "\" could not be written: "))
        << window.prompt.warnings[0].text;
    EXPECT_EQ(window.record.resultFilePath, "before.kvt");
  }
}

// A name typed in the file window is relative to the folder shown there; the report gives the
// full path, so the user sees where the program tried to write and read.
TEST(ParameterFileMessages, NameTheFullPath) {
  testing::TempDir dir;
  testing::Cwd cwd(dir.path());
  Window window;
  SaveParameterFile("missing/a.kvt", window.entries, window.prompt);
  LoadParameterFile("./missing/b.kvt", window.entries, window.lines, window.prompt);
  const auto texts = window.prompt.warningTexts();
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_NE(texts[0].find("\n\"" + dir.file("missing/a.kvt") + "\" could not be written: No such"),
            std::string::npos)
      << texts[0];
  EXPECT_EQ(texts[1], "The parameter file \"" + dir.file("missing/b.kvt") +
                          "\" could not be read: No such file or directory. The entries are "
                          "unchanged.");
}

// Permissions: a read-only file in a writable folder, and a file in a read-only folder. Both
// are reported with the system's number (13, permission denied); the old file keeps its bytes.
TEST(SaveParameterFile, ReadOnlyTargetsAreReportedAndKept) {
  testing::TempDir dir;
  const auto open = dir.path() / "open";
  const auto locked = dir.path() / "locked";
  std::filesystem::create_directories(open);
  std::filesystem::create_directories(locked);
  writeBytes((open / "old.kvt").string(), "old bytes");
  writeBytes((locked / "old.kvt").string(), "old bytes");
  chmod(open.c_str(), 0777);
  chmod((open / "old.kvt").c_str(), 0444);
  chmod(locked.c_str(), 0555);
  chmod((locked / "old.kvt").c_str(), 0666);
  for (const auto& path : {open / "old.kvt", locked / "old.kvt"}) {
    Window window;
    SaveOutcome outcome{};
    {
      testing::Unprivileged user;
      if (!user.active()) GTEST_SKIP() << "cannot drop root rights here";
      outcome = SaveParameterFile(path.string(), window.entries, window.prompt);
    }
    EXPECT_EQ(outcome, SaveOutcome::Failed) << path;
    ASSERT_EQ(window.prompt.warnings.size(), 1u);
    EXPECT_TRUE(window.prompt.warnings[0].text.starts_with(
        "エラーが発生しました。もう一度実行してください。" + std::to_string(EACCES) + "\n"));
    EXPECT_EQ(readBytes(path.string()), "old bytes");
  }
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(open),
                          std::filesystem::directory_iterator()),
            1);
  chmod(locked.c_str(), 0755);
}

TEST(LoadParameterFile, RestoresWhatWasSavedButNotInitialDs) {
  testing::TempDir dir;
  Window saved;
  saved.entries.setText(1, "梁 1");
  saved.entries.setText(10, "1.91");  // db: Δl follows as 0.96 ...
  saved.entries.setText(4, "0.20");   // ... and is then typed over
  saved.entries.setText(8, "");
  saved.entries.setDetailOutput(true);
  const std::string path = dir.file("beam.kvt");
  ASSERT_EQ(SaveParameterFile(path, saved.entries, saved.prompt), SaveOutcome::Saved);

  Window loaded;
  loaded.entries.setText(20, "0.002");
  ASSERT_TRUE(LoadParameterFile(path, loaded.entries, loaded.lines, loaded.prompt));
  for (const int box : {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 21, 22})
    EXPECT_EQ(loaded.entries.text(box), saved.entries.text(box)) << "Text" << box;
  // The db line differs from the db shown before the load; Δl is still the file's own.
  EXPECT_EQ(loaded.entries.text(4), "0.20");
  EXPECT_EQ(loaded.record.deltaL, 0.2f);
  EXPECT_TRUE(loaded.entries.detailOutput());
  EXPECT_EQ(loaded.record.detailOutput, 1);
  EXPECT_EQ(loaded.entries.text(20), "0.002");
  EXPECT_EQ(loaded.record.resultFilePath, path);
  EXPECT_EQ(loaded.lines.line[1], "梁 1");
  EXPECT_EQ(loaded.lines.line[7], "Y");
  EXPECT_TRUE(loaded.prompt.warnings.empty());
  // Saved again, the file is the same to the byte.
  ASSERT_EQ(SaveParameterFile(dir.file("again.kvt"), loaded.entries, loaded.prompt),
            SaveOutcome::Saved);
  EXPECT_EQ(readBytes(dir.file("again.kvt")), readBytes(path));
}

TEST(LoadParameterFile, DetailFlagIsSetOnlyByALoneY) {
  testing::TempDir dir;
  const std::pair<const char*, bool> cases[] = {{"Y", true},   {"y", true},   {"N", false},
                                                {"n", false},  {"", false},   {"Yes", false},
                                                {"Y ", false}, {" y", false}, {"yes", false}};
  for (const auto& [flag, checked] : cases) {
    std::string bytes = kDefaultFile;
    bytes.replace(bytes.find("\r\nN\r\n") + 2, 1, flag);
    writeBytes(dir.file("f.kvt"), bytes);
    Window window;
    window.entries.setDetailOutput(!checked);
    ASSERT_TRUE(LoadParameterFile(dir.file("f.kvt"), window.entries, window.lines, window.prompt));
    EXPECT_EQ(window.entries.detailOutput(), checked) << "line 7: '" << flag << "'";
  }
}

TEST(LoadParameterFile, DeltaLIsTheFilesOwnWhateverDbAndLineEndsMayBeLfOrCr) {
  testing::TempDir dir;
  std::string bytes = kDefaultFile;
  bytes.replace(bytes.find("\r\n0.65\r\n") + 2, 4, "0.5");   // Δl as stored
  bytes.replace(bytes.find("\r\n1.30\r\n") + 2, 4, "1.27");  // db differs from the box
  for (const char* lineEnd : {"\r\n", "\n", "\r"}) {
    std::string converted;
    for (std::size_t k = 0; k < bytes.size(); ++k) {
      if (bytes.compare(k, 2, "\r\n") == 0) {
        converted += lineEnd;
        ++k;
      } else {
        converted += bytes[k];
      }
    }
    converted += "line 21 is ignored\r\n";
    writeBytes(dir.file("f.kvt"), converted);
    Window window;
    ASSERT_TRUE(LoadParameterFile(dir.file("f.kvt"), window.entries, window.lines, window.prompt));
    EXPECT_EQ(window.entries.text(4), "0.5") << "not db/2 = 0.635 shown as ##0.00";
    EXPECT_EQ(window.entries.text(10), "1.27");
    EXPECT_EQ(window.entries.text(22), "0.00");
    EXPECT_EQ(window.record.deltaL, 0.5f);
    EXPECT_EQ(window.record.db, 1.27f);
  }
}

TEST(LoadParameterFile, UnreadableOrShortFilesChangeNothing) {
  testing::TempDir dir;
  std::filesystem::create_directory(dir.path() / "folder.kvt");
  std::string nineteen = kDefaultFile;
  nineteen.resize(nineteen.rfind("0.00\r\n"));
  writeBytes(dir.file("short.kvt"), nineteen);
  writeBytes(dir.file("empty.kvt"), "");
  writeBytes(dir.file("one.kvt"), "comment only\r\n");
  const std::pair<std::string, std::string> cases[] = {
      {dir.file("missing.kvt"), "No such file or directory"},
      {dir.file("folder.kvt"), "it is a folder"},
      {dir.file("short.kvt"), "ends after 19 lines"},
      {dir.file("empty.kvt"), "ends after 0 lines"},
      {dir.file("one.kvt"), "ends after 1 line;"},
  };
  for (const auto& [path, reason] : cases) {
    Window window;
    window.entries.setText(1, "kept");
    window.record.resultFilePath = "before.kvt";
    const BoxTexts before = window.entries.texts();
    const AnalysisParameters recordBefore = window.record;
    EXPECT_FALSE(LoadParameterFile(path, window.entries, window.lines, window.prompt));
    EXPECT_EQ(window.entries.texts(), before) << path;
    EXPECT_EQ(window.record, recordBefore) << path;
    ASSERT_EQ(window.prompt.warnings.size(), 1u);
    EXPECT_NE(window.prompt.warnings[0].text.find(path), std::string::npos);
    EXPECT_NE(window.prompt.warnings[0].text.find(reason), std::string::npos)
        << window.prompt.warnings[0].text;
    EXPECT_EQ(window.prompt.warnings[0].text.find('\n'), std::string::npos);
  }
}

// A file of which more than half of the 18 numeric lines hold no number at all is loaded only
// when the user says so; up to half is a parameter file with some entries left blank.
TEST(LoadParameterFile, AsksBeforeLoadingWhatDoesNotLookLikeAParameterFile) {
  testing::TempDir dir;
  constexpr int kNumericLines[] = {2, 3, 4, 5, 6, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20};
  struct Case {
    int wordLines;
    bool answer;
    bool asked;
    bool loaded;
  };
  const Case cases[] = {{9, false, false, true},
                        {10, false, true, false},
                        {10, true, true, true},
                        {18, false, true, false}};
  for (const Case& c : cases) {
    std::vector<std::string> lines;
    for (std::string bytes = kDefaultFile; !bytes.empty(); bytes.erase(0, bytes.find('\n') + 1))
      lines.push_back(bytes.substr(0, bytes.find("\r\n")));
    for (int k = 0; k < c.wordLines; ++k)
      lines[static_cast<std::size_t>(kNumericLines[k] - 1)] = k % 2 ? "" : "step,slip (cm)";
    std::string file;
    for (const std::string& line : lines)
      file += line + "\r\n";
    writeBytes(dir.file("f.kvt"), file);
    Window window;
    window.prompt.answer = c.answer;
    const BoxTexts before = window.entries.texts();
    EXPECT_EQ(LoadParameterFile(dir.file("f.kvt"), window.entries, window.lines, window.prompt),
              c.loaded);
    ASSERT_EQ(window.prompt.questions.size(), c.asked ? 1u : 0u) << c.wordLines;
    if (c.asked) {
      EXPECT_EQ(window.prompt.questions[0].text,
                "The file \"" + dir.file("f.kvt") +
                    "\" does not look like a parameter file. Load it anyway?");
    }
    EXPECT_EQ(window.entries.texts() == before, !c.loaded) << c.wordLines;
    EXPECT_TRUE(window.prompt.warnings.empty());
  }
}

// Only an ordinary file is read, and only its first 4 MB: a pipe without a writer, an endless
// device and a huge file without line ends are refused at once, in one line each.
TEST(LoadParameterFile, RefusesWhatIsNoOrdinaryFileAndStopsAtFourMegabytes) {
  testing::TempDir dir;
  const std::string pipe = dir.file("pipe.kvt");
  ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
  const std::string huge = dir.file("huge.kvt");
  writeBytes(huge, "");
  std::filesystem::resize_file(huge, std::uintmax_t{2} << 30);  // 2 GB of zeros, sparse
  const std::pair<std::string, std::string> cases[] = {
      {pipe, "it is a pipe, not an ordinary file"},
      {"/dev/zero", "it is a device, not an ordinary file"},
      {huge, "its first 20 lines do not end within 4 MB"},
  };
  for (const auto& [path, reason] : cases) {
    Window window;
    const auto started = std::chrono::steady_clock::now();
    auto loading = std::async(std::launch::async, [&, file = path] {
      return LoadParameterFile(file, window.entries, window.lines, window.prompt);
    });
    if (loading.wait_for(std::chrono::seconds(5)) != std::future_status::ready) {
      std::fclose(std::fopen(pipe.c_str(), "wb"));  // lets a reader blocked on the pipe go on
      FAIL() << path << " was still being read after 5 s";
    }
    EXPECT_FALSE(loading.get());
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(1)) << path;
    ASSERT_EQ(window.prompt.warnings.size(), 1u);
    EXPECT_EQ(window.prompt.warnings[0].text, "The parameter file \"" + path +
                                                  "\" could not be read: " + reason +
                                                  ". The entries are unchanged.");
  }
}

// A comment of a megabyte, and lines long enough to span several reads, still load whole.
TEST(LoadParameterFile, LongLinesLoadWhole) {
  testing::TempDir dir;
  std::string bytes = kDefaultFile;
  bytes.replace(0, 25, std::string(1 << 20, 'c'));
  writeBytes(dir.file("comment.kvt"), bytes + "line 21 is ignored\r\n");
  Window window;
  ASSERT_TRUE(
      LoadParameterFile(dir.file("comment.kvt"), window.entries, window.lines, window.prompt));
  EXPECT_EQ(window.entries.text(1), std::string(1 << 20, 'c'));
  EXPECT_EQ(window.lines.line[20], "0.00");

  std::string longLines;
  for (int k = 1; k <= 21; ++k)
    longLines += std::to_string(k) + std::string(100000, '0') + "\r\n";
  writeBytes(dir.file("long.kvt"), longLines);
  ASSERT_TRUE(LoadParameterFile(dir.file("long.kvt"), window.entries, window.lines, window.prompt));
  EXPECT_EQ(window.lines.line[20], "20" + std::string(100000, '0'));
}

// In a file whose lines end in CR LF a lone CR or LF is part of its line: taken as a line end,
// it would shift every later line into the wrong box.
TEST(LoadParameterFile, InACrLfFileOnlyCrLfEndsALine) {
  testing::TempDir dir;
  for (const char* inside : {"\r", "\n"}) {
    std::string bytes = kDefaultFile;
    bytes.replace(bytes.find("\r\n20.00\r\n") + 2, 5, std::string("20.00") + inside + "5");
    writeBytes(dir.file("f.kvt"), bytes);
    Window window;
    ASSERT_TRUE(LoadParameterFile(dir.file("f.kvt"), window.entries, window.lines, window.prompt));
    EXPECT_EQ(window.entries.text(6), std::string("20.00") + inside + "5");
    EXPECT_EQ(window.entries.text(7), "360.00");
    EXPECT_EQ(window.entries.text(22), "0.00");
  }
}

TEST(LoadParameterFile, RuleErrorIsReportedAfterTheWholeFileIsApplied) {
  testing::TempDir dir;
  std::string bytes = kDefaultFile;
  bytes.replace(bytes.find("\r\n2.400\r\n") + 2, 5, "1e34");  // Ec × 100000 overflows a single
  bytes.replace(bytes.rfind("0.00\r\n0.00\r\n"), 12, "50\r\n0.05\r\n");
  writeBytes(dir.file("f.kvt"), bytes);
  Window window;
  EXPECT_TRUE(LoadParameterFile(dir.file("f.kvt"), window.entries, window.lines, window.prompt));
  EXPECT_EQ(window.entries.text(9), "1e34");
  EXPECT_EQ(window.entries.text(21), "50");
  EXPECT_EQ(window.entries.text(22), "0.05");
  ASSERT_EQ(window.prompt.warnings.size(), 1u);
  EXPECT_NE(window.prompt.warnings[0].text.find("Ec"), std::string::npos);
}

}  // namespace
}  // namespace kvt
