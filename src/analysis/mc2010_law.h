// SPDX-License-Identifier: MIT
#pragma once

#include <cmath>
#include <limits>
#include <optional>
#include <vector>

namespace kvt {

// The entries of the fib Model Code 2010 local bond–slip law for ribbed bars under monotonic
// loading, in the code's own units (MPa and mm), as a law file or the window gives them.
struct Mc2010Entries {
  enum class Bond { Good, Other };
  enum class Failure { PullOut, Splitting, Lower };

  double fcm = 38;            // mean cylinder strength, MPa
  std::optional<double> fck;  // when the strength was given as fck: fcm = fck + 8 MPa
  Bond bond = Bond::Good;
  Failure failure = Failure::PullOut;
  double cClear = 8;  // clear distance between ribs, mm
  double cMin = 0;    // smallest cover or half clear spacing (Figure 6.1-2), mm; splitting only
  double cMax = 0;    // largest of them, mm; splitting only
  double km = 0;      // effectiveness of the stirrups (Figure 6.1-3)
  double Ktr = 0;     // transverse reinforcement (Eq. 6.1-6); above 0, the bar counts as confined
};

// fib MC2010 Eq. (6.1-1) with Table 6.1-1:
//   τ = τbmax·(s/s1)^0.4 for s ≤ s1, τbmax up to s2, falling linearly to τbf at s3, τbf beyond.
// Pull-out failure: τbmax = 2.5·√fcm, s1 = 1.0, s2 = 2.0 mm in good bond conditions,
// τbmax = 1.25·√fcm, s1 = 1.8, s2 = 3.6 mm otherwise; s3 = the clear rib spacing, τbf = 0.4·τbmax.
// Splitting failure: the peak is τbu,split of Eq. (6.1-5), reached where the pull-out law's
// ascending branch reaches it (s1 = s2); unconfined s3 = 1.2·s1 and τbf = 0, with stirrups
// s3 = c_clear/2 and τbf = 0.4·τbu,split. "Lower" takes the failure of the lower peak.
// Everything is formed once in MPa and mm and converted once to kgf/cm² and cm, kvt's units.
class Mc2010Law {
 public:
  enum class Mode { PullOut, Splitting };

  // φ is the bar diameter in mm, which the splitting strength depends on. Throws
  // `ParameterError` naming the entry when the entries give no law: a strength or a distance
  // not above zero, a descending branch that ends before it starts, or splitting asked for
  // where it cannot govern (τbu,split above the pull-out τbmax).
  Mc2010Law(const Mc2010Entries& entries, double phi);

  double stress(double s) const;
  double stressOrNaN(double s) const;
  double peak() const { return tauMax_; }
  std::vector<double> kinks() const;
  // Beyond s3 the law holds τbf.
  double residualFrom() const { return s3_; }
  double residualStress() const { return tauBf_; }

  Mode mode() const { return mode_; }
  bool confined() const { return confined_; }
  double s1() const { return s1_; }
  double s2() const { return s2_; }
  double s3() const { return s3_; }
  double tauBf() const { return tauBf_; }

 private:
  Mode mode_ = Mode::PullOut;
  bool confined_ = false;
  double tauMax_ = 0, tauBf_ = 0;    // kgf/cm²
  double s1_ = 0, s2_ = 0, s3_ = 0;  // cm
  double inverseS1_ = 0, fallRate_ = 0;
};

inline double Mc2010Law::stressOrNaN(double s) const {
  constexpr double kAlpha = 0.4;
  if (!(s >= 0)) [[unlikely]]
    return std::numeric_limits<double>::quiet_NaN();
  if (s <= s1_) return tauMax_ * std::pow(s * inverseS1_, kAlpha);
  if (s <= s2_) return tauMax_;
  if (s <= s3_) return tauMax_ - fallRate_ * (s - s2_);
  return tauBf_;
}

}  // namespace kvt
