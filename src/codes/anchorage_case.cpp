// SPDX-License-Identifier: MIT
#include "anchorage_case.h"

#include <algorithm>

#include "code_units.h"
#include "mc2010.h"

namespace kvt::codes {

namespace {

struct CodeName {
  DesignCode code;
  std::string_view key;
  std::string_view title;
};

constexpr CodeName kNames[] = {
    {DesignCode::Ec2_2004, "ec2-2004", "EN 1992-1-1:2004"},
    {DesignCode::Ec2_2023, "ec2-2023", "EN 1992-1-1:2023"},
    {DesignCode::Mc2010, "mc2010", "fib MC2010"},
    {DesignCode::Aci318, "aci318", "ACI 318-19"},
};

const CodeName& nameOf(DesignCode code) {
  return *std::find_if(std::begin(kNames), std::end(kNames),
                       [code](const CodeName& n) { return n.code == code; });
}

double halfSpacing(const AnchorageCase& c) {
  return c.clearSpacing ? *c.clearSpacing / 2 : c.cover;
}

CodeLength ec2004Length(const AnchorageCase& c) {
  using namespace ec2_2004;
  const double sigmaSd = c.fy / c.gammaS;
  const double design = fctd(fctk005ForBond(c.fck), c.alphaCt, c.gammaC);
  const double bond = fbd(c.goodBond ? 1.0 : 0.7, eta2(c.phi), design);
  const double basic = lbRqd(c.phi, sigmaSd, bond);
  const double minimum = lbMinTension(basic, c.phi);
  return {DesignCode::Ec2_2004,
          lbd(c.alphas, basic, minimum),
          meanBasis(DesignCode::Ec2_2004),
          "8.4.4, Eq. (8.4)",
          {{"σsd", sigmaSd, "MPa"},
           {"fctd", design, "MPa"},
           {"fbd", bond, "MPa"},
           {"lb,rqd", basic, "mm"},
           {"lb,min", minimum, "mm"}}};
}

CodeLength ec2023Length(const AnchorageCase& c) {
  using namespace ec2_2023;
  const double sigmaSd = c.fy / c.gammaS;
  const double k = kcp(c.goodBond);
  return {DesignCode::Ec2_2023,
          lbd(c.phi, c.fck, sigmaSd, coverCd(c), k, c.ec2023),
          meanBasis(DesignCode::Ec2_2023),
          "11.4.2, Eq. (11.3)",
          {{"σsd", sigmaSd, "MPa"}, {"cd", coverCd(c), "mm"}, {"kcp", k, ""}}};
}

CodeLength mc2010Length(const AnchorageCase& c) {
  const double fcm = c.fck + 8;
  const double lb = mc2010::lbForFstm(c.fy, fcm, c.phi, coverCd(c), coverCmax(c), c.km, c.Ktr);
  return {DesignCode::Mc2010,
          lb,
          meanBasis(DesignCode::Mc2010),
          "Eq. (6.1-19) with fstm = fy",
          {{"fcm", fcm, "MPa"}, {"cmin", coverCd(c), "mm"}, {"cmax", coverCmax(c), "mm"}}};
}

CodeLength aciLength(const AnchorageCase& c) {
  aci318::Factors f;
  f.psiT = c.goodBond ? 1.0 : 1.3;
  f.psiE = c.psiE;
  f.psiS = aci318::psiS(c.phi / kMmPerInch);
  f.psiG = aci318::psiG(c.fy / kMpaPerPsi);
  f.lambda = c.lambda;
  return {DesignCode::Aci318,
          aci318::ldMillimetres(c.fy, c.fck, c.phi, coverCb(c), c.KtrAci, f),
          meanBasis(DesignCode::Aci318),
          "25.4.2.4(a)",
          {{"cb", coverCb(c), "mm"},
           {"ψt", f.psiT, ""},
           {"ψe", f.psiE, ""},
           {"ψs", f.psiS, ""},
           {"ψg", f.psiG, ""}}};
}

}  // namespace

std::string_view codeKey(DesignCode code) {
  return nameOf(code).key;
}

std::string_view codeTitle(DesignCode code) {
  return nameOf(code).title;
}

bool meanBasis(DesignCode code) {
  return code == DesignCode::Mc2010;
}

std::optional<DesignCode> designCodeFromKey(std::string_view key) {
  for (const CodeName& n : kNames)
    if (n.key == key) return n.code;
  return std::nullopt;
}

// EN 1992-1-1's cd (Figure 8.3 in 2004, 11.4.2 in 2023) and MC2010's cmin (Figure 6.1-2): the
// smallest of the covers and half the clear spacing.
double coverCd(const AnchorageCase& c) {
  return std::min(c.cover, halfSpacing(c));
}

// MC2010, Figure 6.1-2: cmax = max(cx, cs/2).

double coverCmax(const AnchorageCase& c) {
  return std::max(c.cover, halfSpacing(c));
}

// ACI 318, 25.4.2.4: the lesser of the distance from the bar's centre to the nearest concrete
// surface and half the bars' centre-to-centre spacing.
double coverCb(const AnchorageCase& c) {
  return std::min(c.cover, halfSpacing(c)) + c.phi / 2;
}

CodeLength anchorageLength(DesignCode code, const AnchorageCase& c) {
  switch (code) {
    case DesignCode::Ec2_2004:
      return ec2004Length(c);
    case DesignCode::Ec2_2023:
      return ec2023Length(c);
    case DesignCode::Mc2010:
      return mc2010Length(c);
    case DesignCode::Aci318:
      return aciLength(c);
  }
  return {};
}

}  // namespace kvt::codes
