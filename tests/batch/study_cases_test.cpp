// SPDX-License-Identifier: MIT
// A study run in parts, as a window runs it: stopped, continued, and its summary and figures
// taken from the same engine that kvt-batch writes them with.
#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>

#include "batch/batch_run.h"
#include "batch/study_run.h"
#include "batch_invocation.h"
#include "support/file_bytes.h"

namespace kvt {
namespace {

using testing::batch;
using testing::StudyFolder;

StudyOptions gridOf(std::vector<std::string> vary) {
  std::vector<VariedEntry> entries;
  for (const std::string& option : vary)
    entries.push_back(std::get<VariedEntry>(VariedEntry::parse(option)));
  StudyOptions study;
  study.grid = StudyGrid(std::move(entries));
  return study;
}

TEST(StudyInParts, StoppedAndContinuedItGivesKvtBatchsSummary) {
  const StudyFolder folder;
  ASSERT_EQ(
      batch({"--vary", "bar=D10,D13,D16", "--vary", "lb=10:40:10", "-j2", folder.base}).status, 0);
  const std::string expected = testing::readBytes(folder.dir.file("beam1.study.csv"));

  AnalysisParameters record;
  ParameterEntries entries(record);
  loadForBatch(folder.base, entries);
  BatchOptions options;
  options.jobs = 2;
  const StudyOptions grid = gridOf({"bar=D10,D13,D16", "lb=10:40:10"});
  const auto study = Study::ofEntries(entries, options, grid);
  const testing::FixedClock clock;
  const StudyCaseRunner cases = study->caseRunner(clock);
  const SummaryTable table = study->summaryTable(UnitSystem::KgfCm);

  std::string summary = table.header();
  std::vector<std::uint64_t> order;
  const auto deliver = [&](std::uint64_t k, StudyCase&& done) {
    order.push_back(k);
    summary += table.line(done.row);
  };
  const std::uint64_t first =
      study->runCases(cases, 0, deliver, {}, [&] { return order.size() >= 5; });
  EXPECT_EQ(first, 5u);
  EXPECT_EQ(study->runCases(cases, first, deliver, {}), 7u);
  std::vector<std::uint64_t> all(12);
  std::iota(all.begin(), all.end(), 0);
  EXPECT_EQ(order, all);
  EXPECT_EQ(summary, expected);
  // The base case is named as the window names it: its file, then the case's changes.
  EXPECT_EQ(cases.run(1).row.record.caseName(), "beam1.kvt (bar=D10, lb=20)");
}

TEST(StudyInParts, PbumaxIsDrawnAgainstTheChosenEntry) {
  AnalysisParameters record;
  ParameterEntries entries(record);
  entries.loadDefaults();
  const BatchOptions options;
  const StudyOptions grid = gridOf({"lb=10,20", "pw=0.2,0.4,0.6"});
  const auto study = Study::ofEntries(entries, options, grid);
  const testing::FixedClock clock;
  std::vector<StudyPoint> points;
  study->runCases(
      study->caseRunner(clock), 0,
      [&](std::uint64_t, StudyCase&& done) { points.push_back(study->point(done, true)); }, {});
  ASSERT_EQ(points.size(), 6u);

  const auto last = study->figures(points, UnitSystem::KgfCm);
  const auto first = study->figures(points, UnitSystem::KgfCm, 0);
  ASSERT_EQ(last.size(), 2u);
  ASSERT_EQ(first.size(), 2u);
  EXPECT_EQ(first[0].second.panels[0].curves.size(), 6u);  // the family is the same either way
  EXPECT_EQ(first[0].second.title, last[0].second.title);
  const FigurePanel& byPw = last[1].second.panels[0];
  const FigurePanel& byLb = first[1].second.panels[0];
  EXPECT_EQ(byPw.x.title, "pw");
  EXPECT_EQ(byLb.x.title, "lb");
  ASSERT_EQ(byLb.curves.size(), 3u);
  EXPECT_EQ(byLb.curves[0].title, "pw = 0.2 %");
  EXPECT_EQ(byLb.curves[0].x, (std::vector<double>{10, 20}));
  // The same Pbumax values either way, only grouped by the other entry.
  EXPECT_EQ(byLb.curves[1].y[1], byPw.curves[1].y[1]);
}

}  // namespace
}  // namespace kvt
