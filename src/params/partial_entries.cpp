// SPDX-License-Identifier: MIT
#include "partial_entries.h"

#include "format_number.h"
#include "numeric_boxes.h"
#include "parse_number.h"

namespace kvt {

std::optional<PartialEntry> partialEntry(int box, std::string_view text) {
  const NumericBox* numeric = findNumericBox(box);
  if (!numeric) return std::nullopt;
  const NumberReading reading = readNumber(text);
  if (reading.used == text.size()) return std::nullopt;
  return PartialEntry{box, numeric->label, std::string(text), reading.value};
}

std::vector<PartialEntry> partialEntries(const BoxTexts& boxes) {
  std::vector<PartialEntry> entries;
  for (const NumericBox& box : kNumericBoxes)
    if (auto entry = partialEntry(box.number, boxes[box.number])) entries.push_back(*entry);
  return entries;
}

std::string describe(const PartialEntry& entry) {
  return std::string(entry.label) + " \"" + entry.text + "\" is read as " +
         shortestNumber(entry.value);
}

bool holdsNumber(std::string_view text) {
  const std::size_t firstCharacter = text.find_first_not_of(" \t\n");
  return firstCharacter != std::string_view::npos && firstCharacter < readNumber(text).used;
}

int fileEntriesWithoutNumber(const BoxTexts& boxes) {
  constexpr int kInitialDsBox = 20;  // not kept in parameter files
  int count = 0;
  for (const NumericBox& box : kNumericBoxes)
    if (box.number != kInitialDsBox && !holdsNumber(boxes[box.number])) ++count;
  return count;
}

}  // namespace kvt
