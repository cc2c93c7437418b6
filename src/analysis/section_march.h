// SPDX-License-Identifier: MIT
#pragma once

#include <functional>
#include <span>
#include <utility>
#include <vector>

#include "params/analysis_parameters.h"
#include "run_law.h"
#include "run_records.h"
#include "segment_geometry.h"

namespace kvt {

// The march of one step along the bar, from the free end to the loaded end, for a given
// free-end slip s0: the bond force of a segment comes from the bond law at its start section,
// and the slip grows by the bar's elongation under the segment's mean force. The same object
// serves the run and a later replay of any of its steps, so a replayed step gives the sections
// of the run bit for bit. The march is written once for every law and compiled for each: the law
// is chosen once per march, outside the segment loop, so kvt's own law runs the very loop it
// always ran.
class SectionMarch {
 public:
  // Sections are handed over in chunks, so a bar of millions of segments needs no step-sized
  // buffer.
  static constexpr std::size_t kRowChunk = 4096;

  using RowSink = std::function<void(std::span<const SectionRow>)>;

  // Divides the bar and forms the march's constants (Es·Ab and 2·Es·Ab in single precision).
  // Throws `ArithmeticError` when the geometry or a constant faults.
  SectionMarch(RunLaw law, const AnalysisParameters& p);

  const RunLaw& law() const { return law_; }
  const SegmentGeometry& geometry() const { return geometry_; }
  double deltaL() const { return deltaL_; }
  double phi() const { return phi_; }

  // Marches from s0 and returns the loaded end's slip and force. With a sink, every section goes
  // to it, in order, in chunks; without one no section row is formed at all. A non-finite value
  // throws `ArithmeticError` naming the step and segment, after the sections before it were
  // handed over.
  std::pair<double, double> march(double s0, int step, const RowSink& sink);

  // The first segment of step 1 from s0, with nothing kept: throws what the march would throw
  // there (a stiffness Es·Ab of zero divides by zero in every slip update), so that a run bound
  // to fault at once can be refused before it writes anything.
  void checkFirstSegment(double s0) const;

 private:
  struct State {
    double s = 0;
    double P = 0;
    int sinceShown = 0;
    int displayRow = 0;
  };
  template <class Law>
  std::pair<double, double> marchWith(const Law& law, double s0, int step, const RowSink& sink);
  // Segments first … last into rows_[0 …]; returns how many were computed before a fault
  // (a non-finite value) or all of them.
  template <class Law>
  int marchChunk(const Law& law, State& state, int first, int last);
  // The loaded end of a march that keeps no rows; the segment of a fault in `faultAt`.
  template <class Law>
  std::pair<double, double> marchWithoutRows(const Law& law, double s0, int& faultAt, State& state);
  [[noreturn]] void throwFault(int step, int i, double s, double P) const;

  RunLaw law_;
  SegmentGeometry geometry_;
  double deltaL_ = 0;
  double phi_ = 0;
  float EsAb_ = 0;
  float twoEsAb_ = 0;
  std::vector<SectionRow> rows_;
};

// The sections of one step of a run, marched again from that step's free-end slip s0, exactly as
// the run handed them over. The parameters are those the run was made with; s0 comes from the
// run's step results, which keep it for every step, and the law is the run's. Throws as the
// run's march would.
std::vector<SectionRow> replaySections(const AnalysisParameters& p, double s0, int step,
                                       const LawEntries& law = KvtLawEntries{});

}  // namespace kvt
