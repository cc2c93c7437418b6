// SPDX-License-Identifier: MIT
#include "params/commit_parameters.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>

#include "params/analysis_parameters.h"
#include "params/parameter_entries.h"

namespace kvt {
namespace {

// "Execute" on these texts: the numeric error it stops with, if any.
std::optional<NumericError> commitError(const BoxTexts& texts, AnalysisParameters& p) {
  try {
    commitParameters(texts, p);
  } catch (const NumericError& error) {
    EXPECT_EQ(error.errorKind(), ErrorKind::Parameter);
    return error;
  }
  return std::nullopt;
}

// The box texts the parameter window shows after its load step.
BoxTexts defaultTexts() {
  AnalysisParameters record;
  ParameterEntries entries(record);
  entries.loadDefaults();
  return entries.texts();
}

TEST(CommitParameters, StoresTheDefaultsConvertedToAnalysisUnits) {
  AnalysisParameters p;
  ASSERT_FALSE(commitError(defaultTexts(), p).has_value());
  EXPECT_EQ(p.Ec, 240000.0f);
  EXPECT_EQ(p.Es, 2100000.0f);
  EXPECT_EQ(p.k1, 3540.0f);
  EXPECT_EQ(p.k2, static_cast<float>(static_cast<double>(9.98f) * 30.0));
  EXPECT_FLOAT_EQ(p.k2, 299.4f);
  EXPECT_EQ(p.deltaL, 0.65f);
  EXPECT_EQ(p.initialDs, 0.00001f);
  EXPECT_EQ(p.cotAlpha, 1.48f);
  EXPECT_EQ(p.lb, 20.0f);
}

TEST(CommitParameters, LeavesTheCommentAndTheFlagToTheirRules) {
  AnalysisParameters p;
  p.comment = "kept";
  p.detailOutput = 1;
  BoxTexts texts = defaultTexts();
  texts[1] = "ignored";
  ASSERT_FALSE(commitError(texts, p).has_value());
  EXPECT_EQ(p.comment, "kept");
  EXPECT_EQ(p.detailOutput, 1);
}

TEST(CommitParameters, ScalesEcAndEsEntries) {
  AnalysisParameters p;
  BoxTexts texts = defaultTexts();
  texts[9] = "2.4";
  texts[13] = "2.1";
  ASSERT_FALSE(commitError(texts, p).has_value());
  EXPECT_EQ(p.Ec, 240000.0f);
  EXPECT_EQ(p.Es, 2100000.0f);
}

TEST(CommitParameters, AnEcBeyondTheSingleRangeStopsAtStepEightKeepingEarlierFields) {
  AnalysisParameters p;
  p.db = 9.0f;
  p.su = 7.0f;
  BoxTexts texts = defaultTexts();
  texts[2] = "2.5";
  texts[9] = "1e34";
  const auto error = commitError(texts, p);
  ASSERT_TRUE(error.has_value());
  EXPECT_EQ(error->step, 8);
  EXPECT_EQ(error->box, "Text9");
  EXPECT_NE(error->message.find("Ec"), std::string::npos);
  EXPECT_NE(error->message.find("overflow"), std::string::npos);
  EXPECT_EQ(p.cotAlpha, 2.5f);  // stored before the failing step
  EXPECT_EQ(p.sigmaT, 30.0f);
  EXPECT_EQ(p.db, 9.0f);  // later fields keep their previous values
  EXPECT_EQ(p.su, 7.0f);
}

TEST(CommitParameters, CheckedStepsFireOnlyBeyondTheSingleRange) {
  struct Case {
    int box;
    const char* text;
    int failingStep;  // 0: no error
  };
  const Case cases[] = {
      {9, "3.4e33", 0},   {9, "3.5e33", 8},  {9, "-1e400", 8}, {13, "3.4e32", 0},
      {13, "3.5e32", 12}, {15, "1e39", 14},  {15, "2e37", 14}, {15, "1e36", 0},
      {16, "-2e37", 15},  {16, "1e400", 15}, {6, "1e39", 0},   {20, "1e-50", 0},
  };
  for (const Case& c : cases) {
    AnalysisParameters p;
    BoxTexts texts = defaultTexts();
    texts[c.box] = c.text;
    const auto error = commitError(texts, p);
    if (c.failingStep == 0) {
      EXPECT_FALSE(error.has_value()) << "Text" << c.box << " = " << c.text;
    } else {
      ASSERT_TRUE(error.has_value()) << "Text" << c.box << " = " << c.text;
      EXPECT_EQ(error->step, c.failingStep) << c.text;
    }
  }
}

TEST(CommitParameters, UncheckedStepsStoreInfinityOrZeroSilently) {
  AnalysisParameters p;
  BoxTexts texts = defaultTexts();
  texts[6] = "1e39";
  texts[20] = "1e-50";
  ASSERT_FALSE(commitError(texts, p).has_value());
  EXPECT_TRUE(std::isinf(p.lb));
  EXPECT_EQ(p.initialDs, 0.0f);
}

TEST(CommitParameters, LettersInSigmaTGiveZeroAndZeroProductsSilently) {
  AnalysisParameters p;
  BoxTexts texts = defaultTexts();
  texts[8] = "abc";
  ASSERT_FALSE(commitError(texts, p).has_value());
  EXPECT_EQ(p.sigmaT, 0.0f);
  EXPECT_EQ(p.k1, 0.0f);
  EXPECT_EQ(p.k2, 0.0f);
}

TEST(CommitParameters, AnInfiniteSigmaTMakesC1AnError) {
  for (const char* c1 : {"0", "50"}) {
    AnalysisParameters p;
    BoxTexts texts = defaultTexts();
    texts[8] = "1e39";
    texts[15] = c1;
    const auto error = commitError(texts, p);
    ASSERT_TRUE(error.has_value()) << c1;
    EXPECT_EQ(error->step, 14);
    EXPECT_NE(error->message.find("σt"), std::string::npos) << error->message;
  }
}

}  // namespace
}  // namespace kvt
