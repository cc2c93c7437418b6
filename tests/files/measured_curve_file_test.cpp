// SPDX-License-Identifier: MIT
#include "files/measured_curve_file.h"

#include <gtest/gtest.h>

#include <fstream>

#include "support/temp_dir.h"

namespace kvt {
namespace {

using kvt::testing::TempDir;

void write(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

// kvt's own load–slip file (the loaded end's slip, not the free end's, and its force), a test's
// file in mm and kN with a column of its own, and a file behind a note on its law.
TEST(MeasuredCurveFile, TakesTheLoadedEndsSlipAndForceInTheirUnits) {
  struct Case {
    const char* csv;
    std::vector<double> slip;   // cm
    std::vector<double> force;  // kgf
  };
  const Case cases[] = {
      {"step,free-end slip s0 (cm),loaded-end slip (cm),loaded-end force (kgf),"
       "average bond stress (kgf/cm2)\r\n1,1e-10,0.002,120,1.5\r\n2,0.001,0.004,260,3.2\r\n",
       {0.002, 0.004},
       {120, 260}},
      {"\xEF\xBB\xBFtime (s), slip (mm), force (kN)\n0,0,0\n\n1, 0.5, 9.80665\n",
       {0, 0.05},
       {0, 1000}},
      {"# bond law: MC2010, good bond\r\nstep,free-end slip s0 (mm),loaded-end slip (mm),"
       "loaded-end force (kN),average bond stress (MPa)\r\n1,0,1,0.980665,0\r\n",
       {0.1},
       {100}},
  };
  const TempDir dir;
  for (const Case& c : cases) {
    const std::string path = dir.file("pull-out 1.csv");
    write(path, c.csv);
    const MeasuredCurve curve = readMeasuredCurve(path);
    EXPECT_EQ(curve.name, "pull-out 1.csv");
    ASSERT_EQ(curve.slip.size(), c.slip.size()) << c.csv;
    for (std::size_t k = 0; k < c.slip.size(); ++k) {
      EXPECT_NEAR(curve.slip[k], c.slip[k], 1e-12) << c.csv;
      EXPECT_NEAR(curve.force[k], c.force[k], 1e-9) << c.csv;
    }
  }
}

TEST(MeasuredCurveFile, RefusalsNameTheLineAndTheReason) {
  const std::pair<const char*, const char*> refusals[] = {
      {"slip,force (kN)\n0,0\n", "line 1: no column of slip names its unit"},
      {"slip (mm),load (kg)\n0,0\n", "line 1: no column of force names its unit"},
      {"# test 4\nslip (mm),stress (MPa)\n0,0\n", "line 2: no column of force names its unit"},
      {"slip A (mm),slip B (mm),force (kN)\n0,0,0\n", "line 1: several columns could be the slip"},
      {"slip (mm),force (kN)\n0,0\n0.1,abc\n", "line 3: the force \"abc\" is not a number"},
      {"slip (mm),force (kN)\n0,0\n0.1;2\n", "line 3: the line holds 1 values, the header names 2"},
      {"slip (mm),force (kN)\n0,0\n1e999,2\n", "line 3: the slip \"1e999\" is not a number"},
      {"slip (mm),force (kN)\n\n", "the file has no point below its header"},
      {"", "the file has no header"},
  };
  const TempDir dir;
  const std::string path = dir.file("m.csv");
  for (const auto& [csv, message] : refusals) {
    write(path, csv);
    try {
      readMeasuredCurve(path);
      ADD_FAILURE() << csv << " was read";
    } catch (const CsvTableError& error) {
      EXPECT_NE(std::string(error.what()).find(path + ": " + message), std::string::npos)
          << error.what();
    }
  }
  EXPECT_THROW(readMeasuredCurve(dir.file("missing.csv")), CsvTableError);
}

}  // namespace
}  // namespace kvt
