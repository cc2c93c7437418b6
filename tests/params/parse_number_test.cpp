// SPDX-License-Identifier: MIT
#include "params/parse_number.h"

#include <gtest/gtest.h>

#include <ostream>

#include <clocale>
#include <cmath>
#include <cstdlib>
#include <string>

namespace kvt {
namespace {

struct ParseCase {
  std::string text;
  double expected;
  friend std::ostream& operator<<(std::ostream& os, const ParseCase& c) {
    return os << '"' << c.text << '"';
  }
};

class ParseNumberTest : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ParseNumberTest, ReadsTheLeadingNumber) {
  EXPECT_EQ(parseNumber(GetParam().text), GetParam().expected) << '"' << GetParam().text << '"';
}

INSTANTIATE_TEST_SUITE_P(
    Examples, ParseNumberTest,
    ::testing::Values(
        // Plain entries as the boxes show them.
        ParseCase{"1.480", 1.48}, ParseCase{"0.0000100", 0.00001}, ParseCase{"118.00", 118.0},
        // A comma is not part of a number; blanks anywhere are skipped.
        ParseCase{"1,5", 1.0}, ParseCase{" 2 5", 25.0}, ParseCase{"\t1\n2", 12.0},
        ParseCase{"- 5", -5.0},
        // Exponents with E or D in either case, signs, and the unit after the number.
        ParseCase{"3.5e2", 350.0}, ParseCase{"3.5D2", 350.0}, ParseCase{"2d-1", 0.2},
        ParseCase{"1E+3", 1000.0}, ParseCase{"12cm", 12.0}, ParseCase{"-.5", -0.5},
        ParseCase{"+7", 7.0}, ParseCase{"5.", 5.0},
        // Half-typed entries read as what is there so far, or 0.
        ParseCase{"1e", 1.0}, ParseCase{"1e-", 1.0}, ParseCase{"-", 0.0}, ParseCase{".", 0.0},
        ParseCase{"", 0.0}, ParseCase{"abc", 0.0}, ParseCase{"+-5", 0.0}, ParseCase{"1.2.3", 1.2},
        ParseCase{"\r5", 0.0},
        // Hexadecimal and octal integers.
        ParseCase{"&H1F", 31.0}, ParseCase{"&hff", 255.0}, ParseCase{"&O17", 15.0},
        ParseCase{"&HFFFFFFFF", 4294967295.0}, ParseCase{"&H", 0.0}, ParseCase{"&O9", 0.0}));

// How much of a text is read: what a warning about an entry read only in part rests on.
TEST(ReadNumber, TellsWhetherTheWholeTextWasRead) {
  const struct {
    std::string text;
    std::size_t used;
  } cases[] = {
      {"20.00", 5}, {"2 5", 3},  {" 25 ", 4},  {"", 0},    {"  ", 2},   {"3.5e2", 5}, {"5.", 2},
      {"&H1F", 4},  {"20,5", 2}, {"20 ,5", 3}, {"abc", 0}, {" abc", 1}, {"1e", 1},    {"1e-", 1},
      {"1e5x", 3},  {"-", 0},    {"1.2.3", 3}, {"&H", 0},  {"&HZ", 0},  {"12cm", 2},  {"\r5", 0},
  };
  for (const auto& c : cases) {
    const NumberReading reading = readNumber(c.text);
    EXPECT_EQ(reading.used, c.used) << '"' << c.text << '"';
    EXPECT_EQ(reading.value, parseNumber(c.text)) << '"' << c.text << '"';
  }
}

// Qt sets the process locale from the environment; in a German one the C library's own reading
// takes the comma as the decimal separator. The locale comes from the build (see CMakeLists.txt).
TEST(ParseNumber, ReadsThePointAsDecimalSeparatorInEveryLocale) {
  ::setenv("LOCPATH", KVT_TEST_LOCALES, 1);
  const char* german = std::setlocale(LC_ALL, "de_DE.UTF-8");
  ::unsetenv("LOCPATH");
  ASSERT_NE(german, nullptr) << "no de_DE.UTF-8 locale: install the Debian package \"locales\"";
  EXPECT_EQ(std::strtod("2.5", nullptr), 2.0) << "the German locale is not in effect";
  EXPECT_EQ(parseNumber("2.5"), 2.5);
  EXPECT_EQ(parseNumber("2,5"), 2.0);
  std::setlocale(LC_ALL, "C");
}

TEST(ParseNumber, RoundsCorrectlyAndKeepsMagnitudesBeyondTheDoubleRangeInfinite) {
  EXPECT_EQ(parseNumber("0.1"), 0.1);
  EXPECT_EQ(parseNumber("1e400"), HUGE_VAL);
  EXPECT_EQ(parseNumber("-1e400"), -HUGE_VAL);
  EXPECT_EQ(parseNumber("1e-400"), 0.0);
  EXPECT_EQ(parseNumber("4.9e-324"), 4.9e-324);
  EXPECT_EQ(parseNumber(std::string(400, '9')), HUGE_VAL);
}

}  // namespace
}  // namespace kvt
