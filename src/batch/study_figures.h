// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "analysis/run_record.h"
#include "analysis/units.h"
#include "codes/anchorage_case.h"
#include "figures/figure.h"
#include "required_length.h"
#include "study_grid.h"

namespace kvt {

// What a study's figures need of one run.
struct StudyPoint {
  std::vector<std::string> values;  // of the varied entries, as typed
  bool succeeded = false;
  double PMax = 0;  // kgf
  std::optional<RequiredLength> required;
  std::vector<LoadSlipRow> curve;  // empty when the family is not drawn
  // The design codes' anchorage lengths for the run's case, cm, in the order of `codes`.
  std::vector<double> codeLengths;
};

// The largest study whose load–slip curves are drawn together: beyond it the legend alone would
// fill the figure.
inline constexpr std::size_t kLargestFamily = 20;

// Where a study's figure goes: beside its summary, named after it without ".csv"
// ("beam1.study.csv" and "pbumax" give "beam1.study.pbumax.png").
std::string studyFigurePath(const std::string& summaryPath, std::string_view suffix,
                            FigureFormat format);

// The suffixes of the figures a study may draw, in the order drawn.
inline constexpr std::string_view kStudyFigureSuffixes[] = {"load-slip", "pbumax", "required-lb"};

// What a study's figures say of the case besides its values: its name, the bond length of the
// base case (cm; stated when lb is not varied), and with the required length the yield stress
// (kgf/cm²) and the longest length tried.
struct StudyFigureCase {
  std::string name;
  double lb = 0;
  std::optional<double> fy;
  int lbMaxTenths = 2000;
  std::vector<codes::DesignCode> codes;  // each drawn beside the required length
};

// The figures of a study, each with the part of its file name that follows the summary's stem
// ("load-slip" for beam1.study.load-slip.png):
//   load-slip    the load–slip curve of every run, the legend naming its varied values (when
//                the curves were kept);
//   pbumax       Pbumax against the last varied entry, one curve for each combination of the
//                others (a bar is placed at its diameter);
//   required-lb  with the required length, the same for it, at the lengths that were found,
//                the cases whose bar never yields marked at the longest length tried, and
//                each design code's length beside it.
// Everything in `units`: the varied entries too (lengths in mm in SI).
std::vector<std::pair<std::string, Figure>> studyFigures(const StudyGrid& grid,
                                                         const std::vector<StudyPoint>& points,
                                                         const StudyFigureCase& study,
                                                         UnitSystem units);

}  // namespace kvt
