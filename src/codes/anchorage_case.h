// SPDX-License-Identifier: MIT
//
// One bar anchored in tension, described once for every code, and each code's anchorage length
// for it. Stresses in MPa, lengths in mm. The defaults are the codes' recommended values; the
// cover, which no code recommends, is 40 mm unless given.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "aci318.h"
#include "ec2_2004.h"
#include "ec2_2023.h"

namespace kvt::codes {

enum class DesignCode { Ec2_2004, Ec2_2023, Mc2010, Aci318 };

inline constexpr DesignCode kDesignCodes[] = {DesignCode::Ec2_2004, DesignCode::Ec2_2023,
                                              DesignCode::Mc2010, DesignCode::Aci318};

struct AnchorageCase {
  double phi = 0;     // bar diameter
  double fck = 0;     // characteristic (ACI: specified) cylinder strength; fcm = fck + 8 MPa
  double fy = 0;      // yield strength of the bar, the stress the anchorage must develop
  double cover = 40;  // clear cover to the bar, on its sides and below it
  std::optional<double> clearSpacing;  // to the next bar; none for a single bar
  bool goodBond = true;                // EC2's good bond conditions; ACI's ψt = 1.3 otherwise
  double gammaC = 1.5;
  double gammaS = 1.15;
  double alphaCt = 1.0;         // EN 1992-1-1:2004, 3.1.6(2)P
  ec2_2004::Alphas alphas;      // α1 … α5, 1 unless given
  ec2_2023::Parameters ec2023;  // klb and nσ
  double km = 0;                // MC2010: effectiveness of the stirrups (Figure 6.1-3)
  double Ktr = 0;               // MC2010: transverse reinforcement (Eq. 6.1-6)
  double KtrAci = 0;            // ACI 318: the transverse reinforcement index, mm; 0 permitted
  double psiE = 1.0;            // ACI 318: uncoated bars
  double lambda = 1.0;          // ACI 318: normalweight concrete
};

// One quantity found on the way, for showing how a length came about.
struct CodeTerm {
  std::string name;
  double value = 0;
  std::string unit;
};

struct CodeLength {
  DesignCode code = DesignCode::Ec2_2004;
  double length = 0;       // mm
  bool meanBasis = false;  // true: mean strengths, no partial factors (MC2010's Eq. 6.1-19)
  std::string equation;    // the clause and equation that gives the length
  std::vector<CodeTerm> terms;
};

// "ec2-2004", "ec2-2023", "mc2010", "aci318": the names on kvt-batch's command line.
std::string_view codeKey(DesignCode code);
// "EN 1992-1-1:2004", …: the names in headers and legends.
std::string_view codeTitle(DesignCode code);
std::optional<DesignCode> designCodeFromKey(std::string_view key);
// Whether the code's length rests on mean strengths without partial factors (MC2010's
// Eq. 6.1-19) rather than on design values.
bool meanBasis(DesignCode code);

// The clear distances each code reads: cd (EC2, and MC2010's cmin), cmax (MC2010), cb (ACI,
// from the bar's centre).
double coverCd(const AnchorageCase& c);
double coverCmax(const AnchorageCase& c);
double coverCb(const AnchorageCase& c);

CodeLength anchorageLength(DesignCode code, const AnchorageCase& c);

}  // namespace kvt::codes
