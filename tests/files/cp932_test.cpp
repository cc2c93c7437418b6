// SPDX-License-Identifier: MIT
#include "files/cp932.h"

#include <gtest/gtest.h>

#include <string>

namespace kvt {
namespace {

TEST(Cp932, EncodesTheProgramsSymbolsAsWindows31J) {
  EXPECT_EQ(toCp932("㎡"), "\x87\x75");  // not in strict Shift_JIS
  EXPECT_EQ(toCp932("τ"), "\x83\xD1");
  EXPECT_EQ(toCp932("α"), "\x83\xBF");
  EXPECT_EQ(toCp932("β"), "\x83\xC0");
  EXPECT_EQ(toCp932("Δ"), "\x83\xA2");
  EXPECT_EQ(toCp932("～"), "\x81\x60");
  EXPECT_EQ(toCp932("ファイル"), "\x83\x74\x83\x40\x83\x43\x83\x8B");
  EXPECT_EQ(toCp932("db = 1.3"), "db = 1.3");
}

TEST(Cp932, RoundTripsJapaneseText) {
  const std::string text = "τ-s relationship 付着応力度 ㎡ ①";
  bool lossy = true;
  EXPECT_EQ(fromCp932(toCp932(text, &lossy)), text);
  EXPECT_FALSE(lossy);
}

TEST(Cp932, ReplacesWhatTheCodePageCannotHold) {
  bool lossy = false;
  EXPECT_EQ(toCp932("a😀b", &lossy), "a?b");
  EXPECT_TRUE(lossy);
  EXPECT_EQ(toCp932("x\xFFy", &lossy), "x?y");  // invalid UTF-8
  EXPECT_TRUE(lossy);
  EXPECT_EQ(fromCp932("a\x81", &lossy), "a\xEF\xBF\xBD");  // lead byte without its trail byte
  EXPECT_TRUE(lossy);
  EXPECT_EQ(fromCp932("\xA0z", &lossy), "\xEF\xBF\xBDz");
  EXPECT_TRUE(lossy);
}

TEST(Cp932, ConvertsLongTexts) {
  std::string text;
  for (int i = 0; i < 5000; ++i)
    text += "τ㎡";
  EXPECT_EQ(toCp932(text).size(), 20000u);
  EXPECT_EQ(fromCp932(toCp932(text)), text);
}

}  // namespace
}  // namespace kvt
