// SPDX-License-Identifier: MIT
#include "code_lengths.h"

#include <cstdio>

#include "codes/code_units.h"
#include "params/format_number.h"

namespace kvt {

namespace {

std::string number(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.4g", value);
  return text;
}

struct Factor {
  const char* name;
  std::string value;
};

std::vector<Factor> factorsOf(const codes::AnchorageCase& c) {
  const auto& a = c.alphas;
  return {
      {"cover", number(c.cover) + " mm"},
      {"spacing", c.clearSpacing ? number(*c.clearSpacing) + " mm" : "single bar"},
      {"bond", c.goodBond ? "good" : "poor"},
      {"γc", number(c.gammaC)},
      {"γs", number(c.gammaS)},
      {"αct", number(c.alphaCt)},
      {"α1…α5", number(a.a1) + "," + number(a.a2) + "," + number(a.a3) + "," + number(a.a4) + "," +
                    number(a.a5)},
      {"klb", number(c.ec2023.klb)},
      {"nσ", number(c.ec2023.nSigma)},
      {"km", number(c.km)},
      {"Ktr", number(c.Ktr)},
      {"Ktr (ACI)", number(c.KtrAci) + " mm"},
      {"ψe", number(c.psiE)},
      {"λ", number(c.lambda)},
  };
}

}  // namespace

codes::AnchorageCase anchorageCaseOf(const AnalysisParameters& p, double fyKgfCm2,
                                     const codes::AnchorageCase& factors) {
  codes::AnchorageCase c = factors;
  c.phi = static_cast<double>(p.db) * codes::kMmPerCm;
  c.fck = static_cast<double>(p.sigmaB) * codes::kMpaPerKgfCm2;
  c.fy = fyKgfCm2 * codes::kMpaPerKgfCm2;
  return c;
}

std::string codeFactorsText(const CodeRequest& request) {
  std::string text;
  for (const Factor& f : factorsOf(request.factors)) {
    if (!text.empty()) text += ", ";
    text += std::string(f.name) + " " + f.value;
    if (!request.given.contains(f.name)) text += " (default)";
  }
  return text;
}

std::string codeColumnTitle(codes::DesignCode code, UnitSystem units) {
  const char* length = code == codes::DesignCode::Aci318   ? " ld ("
                       : code == codes::DesignCode::Mc2010 ? " lb ("
                                                           : " lbd (";
  return std::string(codes::codeTitle(code)) + (codes::meanBasis(code) ? " mean" : " design") +
         length + std::string(unitName(Quantity::Length, units)) + ")";
}

std::string codeLengthText(double lengthMm, UnitSystem units) {
  if (units == UnitSystem::SI) return formatNumber(lengthMm, "0");
  return formatNumber(lengthMm / codes::kMmPerCm, "0.0");
}

std::string codeLengthsReport(const std::string& caseName, const AnalysisParameters& p,
                              double fyKgfCm2, const CodeRequest& request, UnitSystem units) {
  const codes::AnchorageCase c = anchorageCaseOf(p, fyKgfCm2, request.factors);
  std::string text = caseName + ": φ = db = " + number(c.phi) + " mm, fck = σB = " + number(c.fck) +
                     " MPa, fy = " + number(c.fy) + " MPa (" + number(fyKgfCm2) + " kgf/cm²)\n  " +
                     codeFactorsText(request) + "\n";
  const std::string unit(unitName(Quantity::Length, units));
  for (const codes::DesignCode code : request.codes) {
    const codes::CodeLength length = codes::anchorageLength(code, c);
    text += "  " + std::string(codes::codeTitle(code)) + ": " +
            codeLengthText(length.length, units) + " " + unit +
            (length.meanBasis ? " (mean strengths), " : " (design), ") + length.equation;
    for (std::size_t i = 0; i < length.terms.size(); ++i) {
      const codes::CodeTerm& t = length.terms[i];
      text += (i == 0 ? "; " : ", ") + t.name + " = " + number(t.value) +
              (t.unit.empty() ? "" : " " + t.unit);
    }
    text += "\n";
  }
  return text;
}

}  // namespace kvt
