// SPDX-License-Identifier: MIT
//
// fib Model Code 2010, 6.1: bond of ribbed bars, in MPa and mm. The local bond–slip law's
// strengths (Table 6.1-1, Eq. 6.1-5) and the mean bar stress that a bond length develops before
// splitting (Eq. 6.1-19), whose inverse is the length that develops a given stress.
#pragma once

namespace kvt::codes::mc2010 {

// Table 6.1-1, pull-out failure: τbmax = 2.5·√fcm in good bond conditions, 1.25·√fcm otherwise.
double tauBmaxPullOut(bool goodBond, double fcm);

// Eq. (6.1-5): η2 = 1.0 in good bond conditions, 0.7 otherwise.
double eta2(bool goodBond);

// Eq. (6.1-6): Ktr is taken no larger than 0.05.
double effectiveKtr(double Ktr);

// Eq. (6.1-5): the bond strength at splitting,
// η2·6.5·(fcm/25)^0.25·(25/φ)^0.2·[(cmin/φ)^0.33·(cmax/cmin)^0.1 + km·Ktr].
double tauBuSplit(double eta2, double fcm, double phi, double cmin, double cmax, double km,
                  double Ktr);

// Eq. (6.1-19): the mean bar stress developed over a bond length lb,
// 54·(fcm/25)^0.25·(25/φ)^0.2·(lb/φ)^0.55·[(cmin/φ)^0.25·(cmax/cmin)^0.1 + km·Ktr].
double fstm(double fcm, double phi, double lb, double cmin, double cmax, double km, double Ktr);

// Eq. (6.1-19) solved for lb: the bond length whose fstm equals the stress fs.
double lbForFstm(double fs, double fcm, double phi, double cmin, double cmax, double km,
                 double Ktr);

}  // namespace kvt::codes::mc2010
