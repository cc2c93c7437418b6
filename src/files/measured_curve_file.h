// SPDX-License-Identifier: MIT
#pragma once

#include <string>

#include "analysis/compared_runs.h"
#include "csv_table.h"

namespace kvt {

// A measured load–slip curve from a CSV file whose header names the units of its columns, as kvt
// writes a load–slip response ("step,free-end slip s0 (cm),loaded-end slip (cm),loaded-end force
// (kgf),…") or as a test's own file has it ("slip (mm),force (kN)"). The slip is the column with
// a length unit and "slip" in its title, the loaded end's where there are several; the force is
// the column with a force unit. Other columns, blank lines and lines of "#" are left alone. Refused
// with `CsvTableError`, naming the line and the reason, when a column cannot be found or a value is
// not a number.
MeasuredCurve readMeasuredCurve(const std::string& path);

}  // namespace kvt
