// SPDX-License-Identifier: MIT
#include "batch/terminal_text.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "batch_invocation.h"

namespace kvt {
namespace {

TEST(TerminalText, EscapesControlsAndWhatIsNotUtf8) {
  const std::pair<std::string, std::string> cases[] = {
      {"beam1.kvt: 432 steps, τb.max 115.05 kgf/cm² → beam1.T-S",
       "beam1.kvt: 432 steps, τb.max 115.05 kgf/cm² → beam1.T-S"},
      {"a\nb\r\tc", "a\\nb\\r\\tc"},
      {"red \x1b[31mtext\x07", "red \\x1b[31mtext\\x07"},
      {std::string("nul\0x", 5), "nul\\x00x"},
      {"csi \xc2\x9b"
       "2J and nbsp \xc2\xa0",
       "csi \\u009b2J and nbsp \xc2\xa0"},
      {"cp932 \x83\xd1 cut \xe2\x86", "cp932 \\x83\\xd1 cut \\xe2\\x86"},
      {"overlong \xc0\xaf surrogate \xed\xa0\x80", "overlong \\xc0\\xaf surrogate \\xed\\xa0\\x80"},
  };
  for (const auto& [text, shown] : cases)
    EXPECT_EQ(terminalText(text), shown);
}

TEST(TerminalText, AFileNameWithALineBreakKeepsItsResultOnOneLine) {
  const testing::TempDir dir;
  const std::string file = dir.file("two\nlines\x1b[2J.kvt");
  std::filesystem::copy_file(testing::example("default.kvt"), file);
  const testing::Job job = testing::batch({file});
  ASSERT_EQ(job.status, 0) << job.err;
  EXPECT_EQ(std::count(job.out.begin(), job.out.end(), '\n'), 1) << job.out;
  EXPECT_NE(job.out.find("two\\nlines\\x1b[2J.kvt: 432 steps"), std::string::npos) << job.out;
}

}  // namespace
}  // namespace kvt
