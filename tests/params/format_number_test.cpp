// SPDX-License-Identifier: MIT
#include "params/format_number.h"

#include <gtest/gtest.h>

#include <ostream>

#include <limits>
#include <string>

namespace kvt {
namespace {

struct FormatCase {
  double value;
  const char* pattern;
  const char* expected;
  friend std::ostream& operator<<(std::ostream& os, const FormatCase& c) {
    return os << c.value << " as " << c.pattern;
  }
};

class FormatDoubleTest : public ::testing::TestWithParam<FormatCase> {};

TEST_P(FormatDoubleTest, Formats) {
  const FormatCase& c = GetParam();
  EXPECT_EQ(formatNumber(c.value, c.pattern), c.expected) << c.value << " with " << c.pattern;
}

INSTANTIATE_TEST_SUITE_P(
    Fixed, FormatDoubleTest,
    ::testing::Values(FormatCase{2.4, "#0.000", "2.400"}, FormatCase{2.1, "#0.000", "2.100"},
                      FormatCase{115.05, "##0.00", "115.05"}, FormatCase{96.75, "##0.00", "96.75"},
                      // Half away from zero on the shortest decimal, not on the binary expansion.
                      FormatCase{1.005, "##0.00", "1.01"}, FormatCase{0.125, "##0.00", "0.13"},
                      FormatCase{2.5, "####0", "3"}, FormatCase{-2.5, "####0", "-3"},
                      FormatCase{7798.4, "####0", "7798"}, FormatCase{0.49, "####0", "0"},
                      // Integer digits beyond the pattern's places are still shown.
                      FormatCase{1234.567, "##0.00", "1234.57"},
                      FormatCase{123456.789, "####0.00", "123456.79"},
                      FormatCase{0.15, "####0.00", "0.15"}, FormatCase{0, "####0.00", "0.00"},
                      FormatCase{1.72575, "##0.0", "1.7"}, FormatCase{60, "##0.0", "60.0"},
                      FormatCase{0.65, "###0.00", "0.65"}, FormatCase{9.995, "###0.00", "10.00"},
                      FormatCase{0.99999999, "#0.0000000", "1.0000000"},
                      FormatCase{1e20, "##0.00", "100000000000000000000.00"},
                      // A negative number gets a "-", unless nothing but zeros is shown.
                      FormatCase{-0.5, "##0.00", "-0.50"}, FormatCase{-0.001, "##0.00", "0.00"},
                      FormatCase{-0.0, "##0.00", "0.00"}, FormatCase{-0.005, "##0.00", "-0.01"},
                      // Zero-padded integers.
                      FormatCase{1, "00000", "00001"}, FormatCase{432, "00000", "00432"},
                      FormatCase{123456, "00000", "123456"}, FormatCase{4.5, "00000", "00005"}));

INSTANTIATE_TEST_SUITE_P(Scientific, FormatDoubleTest,
                         ::testing::Values(FormatCase{1e-10, "0.000e+00", "1.000e-10"},
                                           FormatCase{4482, "0.000e+00", "4.482e+03"},
                                           FormatCase{0, "0.000e+00", "0.000e+00"},
                                           FormatCase{0.00015, "0.000e+00", "1.500e-04"},
                                           FormatCase{2.722, "0.000e+00", "2.722e+00"},
                                           FormatCase{7.7125e-10, "0.000e+00", "7.713e-10"},
                                           FormatCase{9.9996, "0.000e+00", "1.000e+01"},
                                           FormatCase{-0.00015, "0.000e+00", "-1.500e-04"},
                                           FormatCase{1.5e300, "0.000e+00", "1.500e+300"},
                                           FormatCase{5e-324, "0.000e+00", "5.000e-324"},
                                           FormatCase{0.015, "0.0E+00", "1.5E-02"},
                                           FormatCase{0.03, "0.0E+00", "3.0E-02"},
                                           FormatCase{0.0995, "0.0E+00", "1.0E-01"}));

TEST(FormatNumber, SingleFieldsShowTheirShortestDecimal) {
  // db/2 for the common bar sizes, halved in single precision as the db rule does.
  EXPECT_EQ(formatNumber(1.27f / 2.0f, "##0.00"), "0.64");
  EXPECT_EQ(formatNumber(1.91f / 2.0f, "##0.00"), "0.96");
  EXPECT_EQ(formatNumber(3.81f / 2.0f, "##0.00"), "1.91");
  // The same single widened to double is a different decimal and rounds the other way.
  EXPECT_EQ(formatNumber(static_cast<double>(1.27f / 2.0f), "##0.00"), "0.63");
}

TEST(FormatNumber, ShowsTheDefaultsAsTheLoadStepDoes) {
  EXPECT_EQ(formatNumber(1.48f, "#0.000"), "1.480");
  EXPECT_EQ(formatNumber(102.0f, "###0.0"), "102.0");
  EXPECT_EQ(formatNumber(1.3f / 2.0f, "##0.00"), "0.65");
  EXPECT_EQ(formatNumber(0.2f, "##0.000"), "0.200");
  EXPECT_EQ(formatNumber(9.98f, "###0.00"), "9.98");
  EXPECT_EQ(formatNumber(0.00001f, "#0.0000000"), "0.0000100");
  EXPECT_EQ(formatNumber(0.0f, "##0.00"), "0.00");
}

TEST(FormatNumber, NamesValuesThatAreNotFinite) {
  constexpr double inf = std::numeric_limits<double>::infinity();
  EXPECT_EQ(formatNumber(inf, "##0.00"), "Infinity");
  EXPECT_EQ(formatNumber(-inf, "0.000e+00"), "-Infinity");
  EXPECT_EQ(formatNumber(std::numeric_limits<float>::quiet_NaN(), "##0.00"), "NaN");
}

// Patterns far longer than any the program uses lay out every place they ask for.
TEST(FormatNumber, LongPatternsGiveEveryPlace) {
  const std::string zeros420(420, '0');
  EXPECT_EQ(formatNumber(1.5, std::string(500, '0')), std::string(499, '0') + "2");
  EXPECT_EQ(formatNumber(0.5, "0." + zeros420), "0.5" + std::string(419, '0'));
  const std::string largest = formatNumber(std::numeric_limits<double>::max(), "0." + zeros420);
  EXPECT_EQ(largest.size(), 309u + 1 + 420);
  EXPECT_TRUE(largest.starts_with("179769313486231570000")) << largest;
  // Rounded on the heap, then padded further.
  EXPECT_EQ(formatNumber(1e300, std::string(500, '0') + "." + std::string(150, '0')),
            std::string(199, '0') + "1" + std::string(300, '0') + "." + std::string(150, '0'));
  EXPECT_EQ(formatNumber(-1.0 / 3, "0." + zeros420 + "e+00"),
            "-3.333333333333333" + std::string(405, '0') + "e-01");
}

}  // namespace
}  // namespace kvt
