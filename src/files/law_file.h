// SPDX-License-Identifier: MIT
//
// Law files: the bond law of a run in a small TOML file, and a measured law's points in a CSV
// file beside it.
//
//   law = "mc2010"                 law = "table"               law = "kvt"
//   fcm = "38 MPa"  (or fck)       file = "measured.csv"
//   bond = "good"   (or "other")
//   failure = "pull-out"  ("splitting", "lower")
//   c_clear = "8 mm"
//   c_min = "25 mm"  c_max = "40 mm"   (splitting and lower)
//   km = 12  Ktr = 0.02                (optional, 0 by default)
//
// Every quantity carries its unit. The CSV file's header names the units of its two columns,
// "slip (mm),bond stress (MPa)" or in kgf and cm; its path is relative to the TOML file.
#pragma once

#include <string>
#include <vector>

#include "analysis/run_law.h"
#include "error/error.h"

namespace kvt {

// A law file that cannot be read or describes no law. The message names the file by its full
// path, the key or line, and the reason.
class LawFileError : public Error {
 public:
  explicit LawFileError(const std::string& message) : Error(ErrorKind::File, message) {}
};

LawEntries readLawFile(const std::string& path);
// A law file's text, read as `readLawFile` reads the file: `file` names it in messages, and a
// table law's CSV file is looked for beside `path`.
LawEntries readLawText(const std::string& text, const std::string& file, const std::string& path);

// Writes the law to a TOML file (UTF-8, CR LF) through the atomic writer; a table law names its
// CSV file relative to the TOML file's folder where it can. Throws `FileWriteError`.
void saveLawFile(const std::string& path, const LawEntries& law);

// The points of a measured law, converted to cm and kgf/cm². Refused with the line and the reason
// when a value is not a number or the slips do not increase.
TableEntries readLawTable(const std::string& path);
// A measured law's lines, header first, read as `readLawTable` reads its file's; `file` names it
// in messages and in the law's name.
TableEntries readLawTableLines(const std::vector<std::string>& lines, const std::string& file);

}  // namespace kvt
