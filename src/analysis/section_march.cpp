// SPDX-License-Identifier: MIT
#include "section_march.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "analysis_error.h"
#include "checked_single.h"
#include "params/format_number.h"

namespace kvt {

SectionMarch::SectionMarch(RunLaw law, const AnalysisParameters& p)
    : law_(std::move(law)), geometry_(segmentGeometry(p.lb, p.deltaL)) {
  requireFinite(p.phi, "φ");
  requireFinite(p.Es, "Es");
  requireFinite(p.Ab, "Ab");
  deltaL_ = static_cast<double>(p.deltaL);
  phi_ = static_cast<double>(p.phi);
  EsAb_ = singleProduct(p.Es, p.Ab, "the axial stiffness Es·Ab");
  twoEsAb_ = singleProduct(singleProduct(2.0f, p.Es, "2·Es·Ab"), p.Ab, "2·Es·Ab");
}

std::pair<double, double> SectionMarch::march(double s0, int step, const RowSink& sink) {
  return std::visit([&](const auto& law) { return marchWith(law, s0, step, sink); }, law_);
}

template <class Law>
std::pair<double, double> SectionMarch::marchWith(const Law& law, double s0, int step,
                                                  const RowSink& sink) {
  State state;
  state.s = s0;
  const int n = geometry_.segmentCount;
  if (!sink) {
    int faultAt = 0;
    const auto loadedEnd = marchWithoutRows(law, s0, faultAt, state);
    if (faultAt != 0) throwFault(step, faultAt, state.s, state.P);
    return loadedEnd;
  }
  if (rows_.empty())
    rows_.resize(std::clamp<std::size_t>(static_cast<std::size_t>(std::max(n, 1)), 1, kRowChunk));
  const int chunk = static_cast<int>(rows_.size());
  for (int first = 1; first <= n; first += chunk) {
    const int last = first + std::min(chunk, n - first + 1) - 1;
    const int computed = marchChunk(law, state, first, last);
    // The sections before a fault were computed; they are handed over before the run ends.
    if (computed > 0) sink(std::span(rows_.data(), static_cast<std::size_t>(computed)));
    if (computed < last - first + 1) throwFault(step, first + computed, state.s, state.P);
  }
  return {state.s, state.P};
}

void SectionMarch::checkFirstSegment(double s0) const {
  if (geometry_.segmentCount < 1) return;
  const double tau = std::visit([s0](const auto& law) { return law.stressOrNaN(s0); }, law_);
  const double dP = tau * phi_ * deltaL_;
  const double sNext = s0 + dP * deltaL_ / static_cast<double>(twoEsAb_);
  if (!(std::isfinite(dP) && std::isfinite(sNext) && EsAb_ != 0)) throwFault(1, 1, s0, 0);
}

template <class Law>
int SectionMarch::marchChunk(const Law& lawOfRun, State& state, int first, int last) {
  // Everything in locals: the loop carries s and P from segment to segment, and a store and
  // reload through memory would lengthen that chain. The rows written below are doubles too,
  // so the compiler would otherwise reload every constant of the law after each row.
  const Law law = lawOfRun;
  const int stride = geometry_.displayStride;
  const double phi = phi_;
  const double deltaL = deltaL_;
  const double EsAb = static_cast<double>(EsAb_);
  const double twoEsAb = static_cast<double>(twoEsAb_);
  SectionRow* row = rows_.data();
  double s = state.s;
  double P = state.P;
  int sinceShown = state.sinceShown;
  int displayRow = state.displayRow;
  int i = first;
  for (; i <= last; ++i, ++row) {
    const double tau = law.stressOrNaN(s);
    const double dP = tau * phi * deltaL;
    const double PNext = P + dP;
    // Elongation of the segment under its mean force P + dP/2; an explicit march, no iteration.
    const double sNext = s + P * deltaL / EsAb + dP * deltaL / twoEsAb;
    if (!(std::isfinite(PNext) && std::isfinite(sNext))) [[unlikely]]
      break;
    row->i = i;
    row->x = i * deltaL;
    row->sNext = sNext;
    row->PNext = PNext;
    row->tau = tau;
    row->displayRow = -1;
    if (++sinceShown == stride) {
      sinceShown = 0;
      row->displayRow = displayRow++;
    }
    s = sNext;
    P = PNext;
  }
  state = {s, P, sinceShown, displayRow};
  return i - first;
}

// The same arithmetic as marchChunk, in the same order, with nothing stored: a run that nobody
// watches section by section (a batch run, a study) spends its time on the bond law alone.
template <class Law>
std::pair<double, double> SectionMarch::marchWithoutRows(const Law& lawOfRun, double s0,
                                                         int& faultAt, State& state) {
  const Law law = lawOfRun;
  const double phi = phi_;
  const double deltaL = deltaL_;
  const double EsAb = static_cast<double>(EsAb_);
  const double twoEsAb = static_cast<double>(twoEsAb_);
  const int n = geometry_.segmentCount;
  double s = s0;
  double P = 0;
  for (int i = 1; i <= n; ++i) {
    const double tau = law.stressOrNaN(s);
    const double dP = tau * phi * deltaL;
    const double PNext = P + dP;
    const double sNext = s + P * deltaL / EsAb + dP * deltaL / twoEsAb;
    if (!(std::isfinite(PNext) && std::isfinite(sNext))) [[unlikely]] {
      faultAt = i;
      break;
    }
    s = sNext;
    P = PNext;
  }
  state.s = s;
  state.P = P;
  return {s, P};
}

void SectionMarch::throwFault(int step, int i, double s, double P) const {
  const std::string where = " at step " + std::to_string(step) + ", segment " + std::to_string(i);
  // Throws when the bond law itself overflowed.
  const double tau = std::visit([s](const auto& law) { return law.stress(s); }, law_);
  const double dP = tau * phi_ * deltaL_;
  if (EsAb_ == 0)
    throw ArithmeticError(ArithmeticError::Kind::DivisionByZero, "the slip update" + where,
                          "the axial stiffness Es·Ab is zero");
  if (!std::isfinite(dP))
    throw ArithmeticError(ArithmeticError::Kind::Overflow, "the bond force of the segment" + where,
                          "τ·φ·Δl is beyond the double-precision range");
  if (!std::isfinite(P + dP))
    throw ArithmeticError(ArithmeticError::Kind::Overflow, "the bar force" + where,
                          "the force is beyond the double-precision range");
  throw ArithmeticError(ArithmeticError::Kind::Overflow, "the slip" + where,
                        "the slip after " + formatNumber(s, "0.000e+00") +
                            " cm is beyond the double-precision range");
}

std::vector<SectionRow> replaySections(const AnalysisParameters& p, double s0, int step,
                                       const LawEntries& law) {
  SectionMarch march(formRunLaw(law, p), p);
  std::vector<SectionRow> rows;
  rows.reserve(static_cast<std::size_t>(std::max(march.geometry().segmentCount, 0)));
  march.march(s0, step, [&](std::span<const SectionRow> chunk) {
    rows.insert(rows.end(), chunk.begin(), chunk.end());
  });
  return rows;
}

}  // namespace kvt
