// SPDX-License-Identifier: MIT
#include "params/parameter_entries.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "params/commit_parameters.h"

namespace kvt {
namespace {

class ParameterEntriesTest : public ::testing::Test {
 protected:
  void SetUp() override { entries.loadDefaults(); }
  AnalysisParameters record;
  ParameterEntries entries{record};
};

TEST_F(ParameterEntriesTest, LoadStepShowsEveryDefaultInItsPattern) {
  const std::vector<std::pair<int, std::string>> expected = {{1, "Please input the comment."},
                                                             {2, "1.480"},
                                                             {3, "102.0"},
                                                             {4, "0.65"},
                                                             {5, "3.25"},
                                                             {6, "20.00"},
                                                             {7, "360.00"},
                                                             {8, "30.00"},
                                                             {9, "2.400"},
                                                             {10, "1.30"},
                                                             {11, "1.27"},
                                                             {12, "4.00"},
                                                             {13, "2.100"},
                                                             {14, "0.200"},
                                                             {15, "118.00"},
                                                             {16, "9.98"},
                                                             {17, "1.000"},
                                                             {20, "0.0000100"},
                                                             {21, "0.00"},
                                                             {22, "0.00"}};
  for (const auto& [box, text] : expected)
    EXPECT_EQ(entries.text(box), text) << "Text" << box;
  EXPECT_FALSE(entries.detailOutput());
}

TEST_F(ParameterEntriesTest, LoadStepLeavesTheRecordEqualToTheBoxes) {
  AnalysisParameters defaults;
  setDefaults(defaults);
  defaults.comment = "Please input the comment.";
  EXPECT_EQ(record, defaults);
  EXPECT_EQ(record.k1, 118.0f);  // the bare C1 entry until "Execute"
}

TEST_F(ParameterEntriesTest, TypingDbKeyByKeyRewritesDeltaL) {
  std::vector<std::string> shown;
  std::vector<float> stored;
  entries.onTextChanged([&](int box) {
    if (box == 4) {
      shown.push_back(entries.text(4));
      stored.push_back(record.deltaL);
    }
  });
  entries.setText(10, "");
  for (const char* typed : {"1", "1.", "1.3", "1.35"}) {
    entries.setText(10, typed);
    // After every keystroke Δl is what the box shows.
    EXPECT_EQ(record.deltaL, std::stof(entries.text(4))) << typed;
  }
  EXPECT_EQ(entries.text(4), "0.68");
  // "1." leaves the box at 0.50: not a change, so Text4's rule and listener do not run again.
  EXPECT_EQ(shown, (std::vector<std::string>{"0.00", "0.50", "0.65", "0.68"}));
  EXPECT_EQ(stored, (std::vector<float>{0.0f, 0.5f, 0.65f, 0.68f}));
  EXPECT_EQ(record.db, 1.35f);
}

TEST_F(ParameterEntriesTest, DbRewritesDeltaLFromTheSingleHalf) {
  entries.setText(10, "1.27");
  EXPECT_EQ(entries.text(4), "0.64");  // 0.635 as a single, half away from zero
  entries.setText(4, "0.3");
  EXPECT_EQ(record.deltaL, 0.3f);  // the user may overwrite Δl after db
  entries.setText(10, "1.91");
  EXPECT_EQ(entries.text(4), "0.96");
}

TEST_F(ParameterEntriesTest, RulesStoreUnscaledOrScaledEntriesAtOnce) {
  entries.setText(9, "2.4");
  EXPECT_EQ(record.Ec, 240000.0f);
  entries.setText(13, "2.05");
  EXPECT_EQ(record.Es, 2050000.0f);
  entries.setText(15, "50");
  EXPECT_EQ(record.k1, 50.0f);
  ASSERT_NO_THROW(commitParameters(entries.texts(), record));
  EXPECT_EQ(record.k1, 1500.0f);  // × σt = 30 by "Execute"
  entries.setText(15, "60");
  EXPECT_EQ(record.k1, 60.0f);  // the bare entry again, until the next "Execute"
  entries.setText(5, "-");
  EXPECT_EQ(record.ru, 0.0f);  // half-typed input reads as 0
  entries.setText(5, "1e");
  EXPECT_EQ(record.ru, 1.0f);
}

TEST_F(ParameterEntriesTest, CommentAndCheckBoxRules) {
  entries.setText(1, "梁 1 — 試験");
  EXPECT_EQ(record.comment, "梁 1 — 試験");
  entries.setText(1, "");
  EXPECT_EQ(record.comment, "");
  entries.setDetailOutput(true);
  EXPECT_EQ(record.detailOutput, 1);
  entries.setDetailOutput(false);
  EXPECT_EQ(record.detailOutput, 0);
}

TEST_F(ParameterEntriesTest, TheSameTextIsNotAChange) {
  int changes = 0;
  entries.onTextChanged([&](int) { ++changes; });
  entries.setText(4, "0.40");
  entries.setText(10, "1.30");  // already shown: the db rule does not rewrite Δl
  EXPECT_EQ(entries.text(4), "0.40");
  EXPECT_EQ(record.deltaL, 0.4f);
  EXPECT_EQ(changes, 1);
}

TEST_F(ParameterEntriesTest, RuleChecksReportWithoutLosingTheText) {
  const auto ec = entries.setText(9, "1e34");
  ASSERT_TRUE(ec.has_value());
  EXPECT_EQ(ec->box, "Text9");
  EXPECT_EQ(entries.text(9), "1e34");
  EXPECT_FALSE(entries.setText(9, "2.4").has_value());
  EXPECT_EQ(record.Ec, 240000.0f);

  const auto db = entries.setText(10, "1e39");
  ASSERT_TRUE(db.has_value());
  EXPECT_EQ(db->box, "Text10");
  EXPECT_EQ(entries.text(4), "0.65");  // the Δl box is not updated
}

TEST_F(ParameterEntriesTest, RejectsBoxesTheWindowDoesNotHave) {
  EXPECT_THROW(entries.setText(18, "1"), std::out_of_range);
  EXPECT_THROW(entries.setText(23, "1"), std::out_of_range);
}

}  // namespace
}  // namespace kvt
