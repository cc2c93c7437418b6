// SPDX-License-Identifier: MIT
#include "analysis/march_notes.h"

#include <gtest/gtest.h>

#include "support/committed_defaults.h"

namespace kvt {
namespace {

struct LengthCase {
  float lb, deltaL;
  const char* note;  // nullptr: none
};

TEST(MarchNotes, AnalysedLengthWhenItIsNotLb) {
  const LengthCase cases[] = {
      {20, 0.65f, "lb 20 is analysed as 20.15 cm: 31 segments of 0.65 cm"},
      {20, 0.0015f, "lb 20 is analysed as 15 cm: 10000 segments of 0.0015 cm"},  // 1.5 → 2
      {20, 0.0014f, "lb 20 is analysed as 28 cm: 20000 segments of 0.0014 cm"},  // 1.4 → 1
      {20, 0.5f, nullptr},
      {20.01f, 0.65f, "lb 20.01 is analysed as 20.15 cm: 31 segments of 0.65 cm"},
      {200, 0.15f, nullptr},  // 1334 segments: 200.1 cm, 0.05 % longer
      {0, 0.65f, nullptr},    // no bar: the run says so
      {20, 0, nullptr},       // no segments: the run says so
  };
  for (const LengthCase& c : cases) {
    const auto note = analysedLengthNote(c.lb, c.deltaL);
    if (c.note) {
      EXPECT_EQ(note.value_or("(none)"), c.note) << c.lb << " " << c.deltaL;
    } else {
      EXPECT_FALSE(note) << *note;
    }
  }
}

TEST(MarchNotes, RisingBranchOfALongBar) {
  AnalysisParameters p = testing::committedDefaults();
  EXPECT_FALSE(risingBranchNote(recordRun(p)));
  EXPECT_FALSE(risingBranchNote(RunRecord(p)));  // no step yet
  p.lb = 200;
  EXPECT_EQ(risingBranchNote(recordRun(p)).value_or(""),
            "the rising branch is not resolved: the first step already carries 100 % of Pbumax");
}

}  // namespace
}  // namespace kvt
