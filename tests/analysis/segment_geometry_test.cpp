// SPDX-License-Identifier: MIT
#include "analysis/segment_geometry.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <utility>

#include "analysis/analysis_error.h"

namespace kvt {
namespace {

struct GeometryCase {
  float lb;
  float deltaL;
  int segmentCount;
  int displayStride;
  friend std::ostream& operator<<(std::ostream& os, const GeometryCase& c) {
    return os << "lb " << c.lb << ", dl " << c.deltaL;
  }
};

class SegmentGeometryTest : public ::testing::TestWithParam<GeometryCase> {};

TEST_P(SegmentGeometryTest, CountsWholeSegments) {
  const GeometryCase& c = GetParam();
  const SegmentGeometry g = segmentGeometry(c.lb, c.deltaL);
  EXPECT_EQ(g.segmentCount, c.segmentCount) << c.lb << " / " << c.deltaL;
  EXPECT_EQ(g.displayStride, c.displayStride) << c.lb << " / " << c.deltaL;
}

INSTANTIATE_TEST_SUITE_P(Examples, SegmentGeometryTest,
                         ::testing::Values(GeometryCase{20, 0.65f, 31, 4},  // 20000 = 30·650 + 500
                                           GeometryCase{20, 0.5f, 40, 4},
                                           GeometryCase{10, 1, 10, 1},
                                           GeometryCase{1, 2, 1, 1},  // shorter than a segment
                                           GeometryCase{2.5f, 0.5f, 5, 1},
                                           GeometryCase{20, 0.001f, 20000, 2000},
                                           GeometryCase{0, 0.65f, 0, 0},
                                           // 187.5 and 62.5 round to even: 188 / 62
                                           GeometryCase{0.1875f, 0.0625f, 4, 1}));

TEST(SegmentGeometry, FaultsOnAZeroSegmentOrA32BitOverflow) {
  EXPECT_THROW(segmentGeometry(20, 0), ArithmeticError);
  EXPECT_THROW(segmentGeometry(20, 0.0004f), ArithmeticError);  // Δl·1000 rounds to 0
  EXPECT_THROW(segmentGeometry(3e6f, 0.65f), ArithmeticError);  // lb·1000 beyond 2^31
  EXPECT_THROW(segmentGeometry(20, -3e6f), ArithmeticError);
  EXPECT_NO_THROW(segmentGeometry(2e6f, 0.65f));
}

// A negative length is refused by name, not as an arithmetic fault; a length that rounds to zero
// thousandths is not negative.
TEST(SegmentGeometry, RefusesANegativeLength) {
  const std::pair<float, float> negative[] = {{-20, 0.65f}, {20, -0.65f}, {-20, -0.65f}};
  for (const auto& [lb, deltaL] : negative) {
    try {
      segmentGeometry(lb, deltaL);
      ADD_FAILURE() << lb << " / " << deltaL << " was divided";
    } catch (const ParameterError& error) {
      EXPECT_NE(std::string(error.what()).find(lb < 0 ? "lb is negative" : "Δl is negative"),
                std::string::npos)
          << error.what();
    }
  }
  EXPECT_EQ(segmentGeometry(-0.0004f, 0.65f).segmentCount, 0);
}

}  // namespace
}  // namespace kvt
