// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "box_texts.h"

namespace kvt {

// A numeric entry of which only the leading number counts: the analysis runs with `value` and
// never sees the rest of `text`. Reading stays as it is (a typed "20,5" is 20, as it always was);
// such an entry is only pointed out, since a comma typed for a decimal point goes unnoticed
// otherwise.
struct PartialEntry {
  int box;                 // Text<box>
  std::string_view label;  // the caption beside the box
  std::string text;
  double value;
};

// The entry of one numeric box when its text is read only in part; none for a text read in full
// (an empty box among them: it reads as 0 with nothing left over) and for the comment box.
std::optional<PartialEntry> partialEntry(int box, std::string_view text);

// Every numeric box read only in part, in the order in which "Execute" reads them.
std::vector<PartialEntry> partialEntries(const BoxTexts& boxes);

// What is read of the entry, for the user: lb "20,5" is read as 20
std::string describe(const PartialEntry& entry);

// Whether a text starts with a number, whatever follows: "20,5" and " 7" do; "abc", "-" and an
// empty text hold no number at all.
bool holdsNumber(std::string_view text);

// A parameter file holds 18 numeric entries, every numeric box but "initial ds". When more than
// half of them hold no number at all, the file is almost certainly something else given a
// parameter file's name (a CSV file, a report), and loading it would replace every entry with
// zeros.
inline constexpr int kFileNumericEntries = 18;
int fileEntriesWithoutNumber(const BoxTexts& boxes);
inline bool looksLikeParameterEntries(const BoxTexts& boxes) {
  return 2 * fileEntriesWithoutNumber(boxes) <= kFileNumericEntries;
}

}  // namespace kvt
