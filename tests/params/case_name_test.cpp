// SPDX-License-Identifier: MIT
#include "params/case_name.h"

#include <gtest/gtest.h>

#include "params/parameter_entries.h"

namespace kvt {
namespace {

TEST(CaseName, TheCommentElseTheFileWithWhatChangedElseNothing) {
  const struct {
    const char* comment;
    CaseSource source;
    const char* name;
  } cases[] = {
      {"beam 1", {"/data/case1.kvt", "modified"}, "beam 1"},
      {"Please input the comment.", {"/data/case1.kvt", ""}, "case1.kvt"},
      {"", {"/data/case1.kvt", "modified"}, "case1.kvt (modified)"},
      {"", {"beam1.kvt", "bar=D13, lb=30"}, "beam1.kvt (bar=D13, lb=30)"},
      {"Please input the comment.", {}, ""},
      {"", {"", "modified"}, ""},
  };
  for (const auto& c : cases)
    EXPECT_EQ(caseName(c.comment, c.source), c.name) << c.comment << " " << c.source.file;
}

TEST(CaseName, EntriesAreModifiedOnceABoxTheFileHoldsDiffersFromIt) {
  AnalysisParameters record;
  ParameterEntries entries(record);
  entries.loadDefaults();
  EXPECT_EQ(entries.caseSource(), CaseSource{});
  entries.rememberFile("/data/case1.kvt");
  EXPECT_EQ(entries.caseSource(), (CaseSource{"/data/case1.kvt", ""}));
  // Neither "initial ds" nor "Detail output" is part of the case the file holds.
  entries.setText(20, "0.00002");
  entries.setDetailOutput(true);
  EXPECT_EQ(entries.caseSource().changes, "");
  entries.setText(6, "200.00");
  EXPECT_EQ(entries.caseSource().changes, "modified");
  // Typed back as it was, the entries are the file's again.
  entries.setText(6, "20.00");
  EXPECT_EQ(entries.caseSource().changes, "");
  // Changing db rewrites Δl too; saving makes the file hold the new entries.
  entries.setText(10, "1.60");
  EXPECT_EQ(entries.caseSource().changes, "modified");
  entries.rememberFile("/data/case2.kvt");
  EXPECT_EQ(entries.caseSource(), (CaseSource{"/data/case2.kvt", ""}));
}

}  // namespace
}  // namespace kvt
