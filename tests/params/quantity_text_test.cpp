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
      {"38 mm", "\"mm\" is not a unit of stress (MPa, N/mm2, GPa, kgf/cm2)"},
      {"inf MPa", "is not a finite number"},
      {"1e999 MPa", "is beyond the range of numbers"},
  };
  for (const auto& [text, problem] : refusals) {
    const QuantityReading q = readQuantity(text, Dimension::Stress);
    EXPECT_FALSE(q.quantity) << text;
    EXPECT_NE(q.problem.find(problem), std::string::npos) << text << ": " << q.problem;
  }
}

// A command line's value: bare, it keeps the option's own unit; with a unit, it is converted.
TEST(QuantityText, ReadsABareValueInTheOptionsUnit) {
  struct Reading {
    const char* text;
    Dimension dimension;
    Unit bare;
    bool unitGiven;
    double inBare;
  };
  const Reading readings[] = {
      {"3500", Dimension::Stress, Unit::KgfCm2, false, 3500},
      {"+3500", Dimension::Stress, Unit::KgfCm2, false, 3500},
      {"345MPa", Dimension::Stress, Unit::KgfCm2, true, 345 / 0.0980665},
      {"200 GPa", Dimension::Stress, Unit::MPa, true, 200000},
      {"150mm", Dimension::Length, Unit::Cm, true, 15},
      {"1e-5", Dimension::Length, Unit::Cm, false, 1e-5},
      {"127 mm2", Dimension::Area, Unit::Cm2, true, 1.27},
      {"1.02 1/mm", Dimension::PerLength, Unit::PerCm, true, 10.2},
  };
  for (const Reading& r : readings) {
    const ValueReading v = readValue(r.text, r.dimension, r.bare);
    ASSERT_TRUE(v.quantity) << r.text << ": " << v.problem;
    EXPECT_EQ(v.unitGiven, r.unitGiven) << r.text;
    EXPECT_NEAR(inUnit(*v.quantity, r.bare), r.inBare, 1e-12 * r.inBare) << r.text;
  }
  // Ten times a decimal in mm is the same decimal in cm, to the last bit.
  EXPECT_EQ(inUnit(*readValue("105mm", Dimension::Length, Unit::Cm).quantity, Unit::Cm), 10.5);
  for (const char* refused : {"3500 kg", "inf", "abc", "+-5", "12 mm2"})
    EXPECT_FALSE(readValue(refused, Dimension::Length, Unit::Cm).quantity) << refused;
}

}  // namespace
}  // namespace kvt
