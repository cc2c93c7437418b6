// SPDX-License-Identifier: MIT
//
// The parameters layer. `AnalysisParameters` is the one record through which the parameter
// window hands a complete set of inputs to the analysis; it holds values already converted to
// the analysis units (kgf, cm). The window's box texts are the user's working copy: the rules of
// `ParameterEntries` keep single fields in step while the user types, and `commitParameters`
// converts every numeric box at once when a run starts. `parseNumber` and `formatNumber` are the
// program's only text-to-number and number-to-text rules.
#pragma once

#include <cstdint>
#include <string>

namespace kvt {

// Every real is single precision, as entered and stored by the program since its first version:
// the analysis reproduces results bit for bit only when the inputs are rounded exactly like this.
struct AnalysisParameters {
  std::string comment;
  float cotAlpha = 0;
  float beta = 0;
  float deltaL = 0;  // segment length, cm
  float ru = 0;
  float lb = 0;  // bond length, cm
  std::int16_t detailOutput = 0;
  float sigmaB = 0;  // kgf/cm², entered and saved but not read by the analysis
  float sigmaT = 0;  // kgf/cm²
  float Ec = 0;      // kgf/cm², entered in units of 10^5; not read by the analysis
  float db = 0;      // bar diameter, cm
  float Ab = 0;      // bar area, cm²
  float phi = 0;     // bond perimeter, cm
  float Es = 0;      // kgf/cm², entered in units of 10^6
  float pw = 0;      // lateral reinforcement ratio, percent
  float k1 = 0;      // C1·σt after "Execute"; the bare C1 entry between runs
  float k2 = 0;      // C2·σt after "Execute"; the bare C2 entry between runs
  float reductionFactor = 0;
  float initialDs = 0;  // cm; a run replaces it with its current slip increment
  float tauU = 0;       // kgf/cm²; non-zero selects the perfect elastic-plastic bilinear law
  float su = 0;         // cm
  std::string parameterFilePath;
  std::string resultFilePath;

  bool operator==(const AnalysisParameters&) const = default;
};

// Stores the defaults into the numeric fields and the flag; the three texts are left alone.
void setDefaults(AnalysisParameters& p);

}  // namespace kvt
