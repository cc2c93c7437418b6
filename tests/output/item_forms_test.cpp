// SPDX-License-Identifier: MIT
#include "output/item_forms.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace kvt {
namespace {

struct BareCase {
  float value;
  const char* text;
};

class BareNumber : public ::testing::TestWithParam<BareCase> {};

TEST_P(BareNumber, CarriesItsBlanksAndSevenSignificantDigits) {
  std::string line;
  appendBareNumber(line, GetParam().value);
  EXPECT_EQ(line, GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Values, BareNumber,
    ::testing::Values(BareCase{1.27f, " 1.27 "}, BareCase{0.3f, " 0.3 "}, BareCase{0.65f, " 0.65 "},
                      BareCase{20.0f, " 20 "}, BareCase{0, " 0 "}, BareCase{-2.5f, "-2.5 "},
                      BareCase{1.0f / 3.0f, " 0.3333333 "},
                      // shortest 0.12345675 rounds half away from zero on its own digits
                      BareCase{0.12345675f, " 0.1234568 "}, BareCase{99999.996f, " 99999.99 "},
                      BareCase{8388607.5f, " 8388608 "}, BareCase{1234567.0f, " 1234567 "},
                      BareCase{12345678.0f, " 1.234568E+07 "}, BareCase{0.0001f, " 0.0001 "},
                      BareCase{0.00001f, " 1E-05 "}, BareCase{-0.000012345f, "-1.2345E-05 "},
                      BareCase{3e6f, " 3000000 "}, BareCase{1e20f, " 1E+20 "}));

TEST(BareNumber, NonFiniteValuesAreNamed) {
  std::string line;
  appendBareNumber(line, std::numeric_limits<float>::infinity());
  appendBareNumber(line, -std::numeric_limits<float>::infinity());
  appendBareNumber(line, std::numeric_limits<float>::quiet_NaN());
  EXPECT_EQ(line, " Infinity -Infinity  NaN ");
}

TEST(Scientific, IsNineCharactersForNonNegativeValues) {
  std::string line;
  appendScientific(line, 0.00015);
  appendScientific(line, 2.722);
  appendScientific(line, 0);
  appendScientific(line, 1e-10);
  appendScientific(line, 4482.0);
  EXPECT_EQ(line, "1.500e-042.722e+000.000e+001.000e-104.482e+03");
}

struct AlignedCase {
  double value;
  const char* text;
};

class RightAligned : public ::testing::TestWithParam<AlignedCase> {};

TEST_P(RightAligned, FillsEightColumnsAndNeverDropsDigits) {
  std::string line;
  appendRightAligned(line, GetParam().value);
  EXPECT_EQ(line, GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Values, RightAligned,
    ::testing::Values(AlignedCase{0, "    0.00"}, AlignedCase{1.05, "    1.05"},
                      AlignedCase{0.65, "    0.65"}, AlignedCase{20.15, "   20.15"},
                      AlignedCase{-96.754, "  -96.75"}, AlignedCase{12345.678, "12345.68"},
                      // wider than the column: written whole
                      AlignedCase{123456.789, "123456.79"}, AlignedCase{-12345.678, "-12345.68"}));

}  // namespace
}  // namespace kvt
