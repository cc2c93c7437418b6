// SPDX-License-Identifier: MIT
//
// ACI 318-19, 25.4.2: the development length of a deformed bar in tension, by the general
// equation 25.4.2.4(a) (numbered 25.4.2.3(a) in ACI 318-14, which has no ψg). The code is in
// psi and inches; `ldMillimetres` converts in and out.
#pragma once

namespace kvt::codes::aci318 {

// Table 25.4.2.5's modification factors and λ of 25.4.2.4.
struct Factors {
  double psiT = 1.0;    // casting position: 1.3 for more than 12 in. of fresh concrete below
  double psiE = 1.0;    // coating: 1.0 for uncoated bars
  double psiS = 1.0;    // size: 0.8 for No. 6 and smaller bars, 1.0 for larger
  double psiG = 1.0;    // grade: 1.0 for Grade 40 and 60, 1.15 for 80, 1.3 for 100
  double lambda = 1.0;  // 1.0 for normalweight concrete
};

// Table 25.4.2.5: ψs for a bar of diameter db (in.). ACI's metric No. 19 bar (No. 6) is
// 19.1 mm, so a bar up to that diameter counts as No. 6 and smaller.
double psiS(double dbInches);

// Table 25.4.2.5: ψg for a specified yield strength fy (psi).
double psiG(double fyPsi);

// 25.4.2.4(a): ld = (3/40)·(fy/(λ·√f'c))·(ψt·ψe·ψs·ψg/((cb + Ktr)/db))·db, with √f'c no more
// than 100 psi (25.4.1.4), ψt·ψe no more than 1.7, (cb + Ktr)/db no more than 2.5, and ld no
// less than 12 in. (25.4.2.1). fy and f'c in psi, db, cb and Ktr in inches; ld in inches.
double ldInches(double fyPsi, double fcPsi, double dbInches, double cbInches, double KtrInches,
                const Factors& factors);

// The same in MPa and mm.
double ldMillimetres(double fyMpa, double fcMpa, double dbMm, double cbMm, double KtrMm,
                     const Factors& factors);

}  // namespace kvt::codes::aci318
