// SPDX-License-Identifier: MIT
#include "run_entries.h"

#include <algorithm>
#include <charconv>
#include <filesystem>

namespace kvt {

namespace {

// Six significant digits, in the C locale's form whatever the program's locale: a single-
// precision entry reads as it was typed ("1.27", not "1.2699999809").
std::string entryNumber(double value) {
  char buffer[32];
  const auto end =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 6).ptr;
  return std::string(buffer, end);
}

// C1 and C2 are entered bare and stored multiplied by σt; without σt they cannot be recovered.
double perSigmaT(float k, float sigmaT) {
  return sigmaT != 0 ? static_cast<double>(k) / static_cast<double>(sigmaT)
                     : static_cast<double>(k);
}

}  // namespace

std::vector<RunEntry> runEntries(const RunRecord& run) {
  const AnalysisParameters& p = run.parameters();
  const auto number = [](const char* name, double value, const char* unit) {
    return RunEntry{name, entryNumber(value), unit};
  };
  const auto f = [](float value) { return static_cast<double>(value); };
  std::vector<RunEntry> entries{
      number("cotα", f(p.cotAlpha), ""),
      number("β", f(p.beta), "1/cm"),
      number("Δl", f(p.deltaL), "cm"),
      number("ru", f(p.ru), "cm"),
      number("lb", f(p.lb), "cm"),
      number("reduction factor", f(p.reductionFactor), ""),
      number("σB", f(p.sigmaB), "kgf/cm2"),
      number("σt", f(p.sigmaT), "kgf/cm2"),
      number("Ec", f(p.Ec), "kgf/cm2"),
      number("τu", f(p.tauU), "kgf/cm2"),
      number("su", f(p.su), "cm"),
      number("initial ds", f(p.initialDs), "cm"),
      number("db", f(p.db), "cm"),
      number("Ab", f(p.Ab), "cm2"),
      number("φ", f(p.phi), "cm"),
      number("Es", f(p.Es), "kgf/cm2"),
      number("pw", f(p.pw), "%"),
      number(p.sigmaT != 0 ? "C1" : "k1", perSigmaT(p.k1, p.sigmaT), "1/cm"),
      number(p.sigmaT != 0 ? "C2" : "k2", perSigmaT(p.k2, p.sigmaT), "1/cm"),
  };
  for (LawEntryText& e : describeLaw(run.law())) {
    // A table of points is named by its file, not by the folder it was found in.
    if (e.name == "file") e.value = std::filesystem::path(e.value).filename().string();
    entries.push_back({std::move(e.name), std::move(e.value), ""});
  }
  return entries;
}

std::vector<std::string> differingEntries(std::span<const RunRecord* const> runs) {
  std::vector<std::string> names;
  if (runs.empty()) return names;
  const std::vector<RunEntry> first = runEntries(*runs.front());
  std::vector<bool> differs(first.size(), false);
  std::vector<std::string> extra;  // a law's entries that the first run's law does not have
  for (const RunRecord* run : runs.subspan(1)) {
    for (const RunEntry& e : runEntries(*run)) {
      const auto same = std::find_if(first.begin(), first.end(),
                                     [&](const RunEntry& f) { return f.name == e.name; });
      if (same == first.end()) {
        if (std::find(extra.begin(), extra.end(), e.name) == extra.end()) extra.push_back(e.name);
      } else if (same->value != e.value) {
        differs[static_cast<std::size_t>(same - first.begin())] = true;
      }
    }
  }
  for (std::size_t k = 0; k < first.size(); ++k)
    if (differs[k]) names.push_back(first[k].name);
  names.insert(names.end(), extra.begin(), extra.end());
  return names;
}

std::string entriesText(const RunRecord& run, std::span<const std::string> names) {
  const std::vector<RunEntry> entries = runEntries(run);
  std::string text;
  for (const std::string& name : names) {
    const auto e = std::find_if(entries.begin(), entries.end(),
                                [&](const RunEntry& entry) { return entry.name == name; });
    if (e == entries.end()) continue;  // a law's entry that this run's law does not have
    text += (text.empty() ? "" : ", ") + e->name + " " + e->value;
  }
  return text;
}

std::string differencesFrom(const RunRecord& run, const RunRecord& reference) {
  const RunRecord* pair[] = {&reference, &run};
  return entriesText(run, differingEntries(pair));
}

std::vector<std::string> comparisonNames(std::span<const RunRecord* const> runs,
                                         std::span<const int> numbers) {
  const std::vector<std::string> differing = differingEntries(runs);
  std::vector<std::string> names;
  for (const RunRecord* run : runs) {
    std::string name = entriesText(*run, differing);
    if (name.empty()) name = run->caseName();
    names.push_back(name);
  }
  std::vector<bool> alike;
  for (const std::string& name : names)
    alike.push_back(name.empty() || std::count(names.begin(), names.end(), name) > 1);
  for (std::size_t k = 0; k < names.size() && k < numbers.size(); ++k) {
    if (!alike[k]) continue;
    const std::string number = "run " + std::to_string(numbers[k]);
    names[k] = names[k].empty() ? number : names[k] + " (" + number + ")";
  }
  return names;
}

}  // namespace kvt
