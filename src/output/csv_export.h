// SPDX-License-Identifier: MIT
//
// Data export for spreadsheets and scripts: the load–slip response of every step, and the
// distribution along the bar at chosen steps, as comma-separated text (ASCII, hence UTF-8)
// with CR LF line ends. Numbers are written in their shortest round-trip form, so reading them
// back gives the run's doubles exactly.
#pragma once

#include <span>
#include <string>

#include "analysis/run_record.h"
#include "analysis/units.h"

namespace kvt {

// In kgf-cm the run's doubles are written as they are; in SI each is converted once, by one
// multiplication, and the headers name the units ("loaded-end force (kN)").
std::string loadSlipCsv(std::span<const LoadSlipRow> rows, UnitSystem units = UnitSystem::KgfCm);
// The distribution along the bar at one step: its sections as the run handed them over.
std::string profileCsv(std::span<const SectionRow> sections, UnitSystem units = UnitSystem::KgfCm);

// The line a CSV file of a run with another law than kvt's own starts with, before its header:
// "# bond law: fib MC2010: fcm = 38 MPa, …" and CR LF, which readers skip as a comment
// (pandas: comment="#"). Empty for kvt's own law, whose files stay as they always were.
std::string lawCommentLine(const LawEntries& law);

// The shortest text that reads back as exactly this double ("0.1", "1e-10").
std::string roundTripText(double value);

// A field of a CSV line, quoted where it holds a comma, a quote or a line end.
std::string csvField(const std::string& text);

}  // namespace kvt
