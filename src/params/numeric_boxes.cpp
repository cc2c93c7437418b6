// SPDX-License-Identifier: MIT
#include "numeric_boxes.h"

namespace kvt {

using P = AnalysisParameters;

const std::array<NumericBox, 19> kNumericBoxes = {{
    {2, "Text2", "cotα", &P::cotAlpha, "#0.000", 1.0, CommitKind::Plain},
    {3, "Text3", "β", &P::beta, "###0.0", 1.0, CommitKind::Plain},
    {4, "Text4", "Δl", &P::deltaL, "##0.00", 1.0, CommitKind::Plain},
    {5, "Text5", "ru", &P::ru, "##0.00", 1.0, CommitKind::Plain},
    {6, "Text6", "lb", &P::lb, "##0.00", 1.0, CommitKind::Plain},
    {7, "Text7", "σB", &P::sigmaB, "##0.00", 1.0, CommitKind::Plain},
    {8, "Text8", "σt", &P::sigmaT, "##0.00", 1.0, CommitKind::Plain},
    {9, "Text9", "Ec", &P::Ec, "#0.000", 100000.0, CommitKind::Scaled},
    {10, "Text10", "db", &P::db, "##0.00", 1.0, CommitKind::Plain},
    {11, "Text11", "Ab", &P::Ab, "##0.00", 1.0, CommitKind::Plain},
    {12, "Text12", "φ", &P::phi, "##0.00", 1.0, CommitKind::Plain},
    {13, "Text13", "Es", &P::Es, "#0.000", 1000000.0, CommitKind::Scaled},
    {14, "Text14", "pw(%)", &P::pw, "##0.000", 1.0, CommitKind::Plain},
    {15, "Text15", "C1", &P::k1, "###0.00", 1.0, CommitKind::TimesSigmaT},
    {16, "Text16", "C2", &P::k2, "###0.00", 1.0, CommitKind::TimesSigmaT},
    {17, "Text17", "reduction factor", &P::reductionFactor, "#0.000", 1.0, CommitKind::Plain},
    {20, "Text20", "initial ds", &P::initialDs, "#0.0000000", 1.0, CommitKind::Plain},
    {21, "Text21", "τu", &P::tauU, "##0.00", 1.0, CommitKind::Plain},
    {22, "Text22", "su", &P::su, "##0.00", 1.0, CommitKind::Plain},
}};

const NumericBox* findNumericBox(int number) {
  for (const NumericBox& box : kNumericBoxes)
    if (box.number == number) return &box;
  return nullptr;
}

}  // namespace kvt
