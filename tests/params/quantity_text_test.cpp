// SPDX-License-Identifier: MIT
#include "params/quantity_text.h"

#include <gtest/gtest.h>

namespace kvt {
namespace {

TEST(QuantityText, ReadsANumberAndAUnitOfTheDimension) {
  struct Reading {
    const char* text;
    Dimension dimension;
    Unit unit;
    double inUnit;
  };
  const Reading readings[] = {
      {"38 MPa", Dimension::Stress, Unit::MPa, 38},
      {"38MPa", Dimension::Stress, Unit::KgfCm2, 38 / 0.0980665},
      {" 3500 kgf/cm2 ", Dimension::Stress, Unit::MPa, 343.23275},
      {"3500 kgf/cm²", Dimension::Stress, Unit::KgfCm2, 3500},
      {"1.5e1 N/mm2", Dimension::Stress, Unit::MPa, 15},
      {"40mm", Dimension::Length, Unit::Cm, 4},
      {"0.8 cm", Dimension::Length, Unit::Mm, 8},
      {"-2 m", Dimension::Length, Unit::Mm, -2000},
      {"1 kN", Dimension::Force, Unit::Kgf, 1000 / 9.80665},
  };
  for (const Reading& r : readings) {
    const QuantityReading q = readQuantity(r.text, r.dimension);
    ASSERT_TRUE(q.quantity) << r.text << ": " << q.problem;
    EXPECT_NEAR(inUnit(*q.quantity, r.unit), r.inUnit, 1e-9 * std::abs(r.inUnit)) << r.text;
  }
  // A value in the unit asked for is the number as written, to the last bit.
  EXPECT_EQ(inUnit(*readQuantity("0.1 mm", Dimension::Length).quantity, Unit::Mm), 0.1);
}

TEST(QuantityText, RefusesWhatIsNotWhole) {
  const std::pair<const char*, const char*> refusals[] = {
      {"38", "\"38\" has no unit"},
      {"MPa", "does not start with a number"},
      {"", "does not start with a number"},
      {"38,5 MPa", "\",5 MPa\" is not a unit of stress"},
      {"38 mm", "\"mm\" is not a unit of stress (MPa, N/mm2, kgf/cm2)"},
      {"inf MPa", "is not a finite number"},
      {"1e999 MPa", "is beyond the range of numbers"},
  };
  for (const auto& [text, problem] : refusals) {
    const QuantityReading q = readQuantity(text, Dimension::Stress);
    EXPECT_FALSE(q.quantity) << text;
    EXPECT_NE(q.problem.find(problem), std::string::npos) << text << ": " << q.problem;
  }
}

}  // namespace
}  // namespace kvt
