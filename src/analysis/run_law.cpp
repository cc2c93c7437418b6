// SPDX-License-Identifier: MIT
#include "run_law.h"

#include <charconv>
#include <filesystem>

#include "codes/code_units.h"

namespace kvt {

namespace {

// The shortest text that reads back as the same number: "38", "0.05", "1e-05".
std::string shortest(double value) {
  char buffer[32];
  const auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
  return std::string(buffer, end);
}

const char* bondName(Mc2010Entries::Bond bond) {
  return bond == Mc2010Entries::Bond::Good ? "good" : "other";
}

const char* failureName(Mc2010Entries::Failure failure) {
  switch (failure) {
    case Mc2010Entries::Failure::PullOut:
      return "pull-out";
    case Mc2010Entries::Failure::Splitting:
      return "splitting";
    case Mc2010Entries::Failure::Lower:
      return "lower";
  }
  return "";
}

std::vector<LawEntryText> describe(const KvtLawEntries&) {
  return {{"law", "kvt"}};
}

std::vector<LawEntryText> describe(const Mc2010Entries& e) {
  std::vector<LawEntryText> rows{{"law", "fib MC2010"}};
  if (e.fck)
    rows.push_back({"fck", shortest(*e.fck) + " MPa"});
  else
    rows.push_back({"fcm", shortest(e.fcm) + " MPa"});
  rows.push_back({"bond", bondName(e.bond)});
  rows.push_back({"failure", failureName(e.failure)});
  rows.push_back({"c_clear", shortest(e.cClear) + " mm"});
  if (e.failure != Mc2010Entries::Failure::PullOut) {
    rows.push_back({"c_min", shortest(e.cMin) + " mm"});
    rows.push_back({"c_max", shortest(e.cMax) + " mm"});
    rows.push_back({"km", shortest(e.km)});
    rows.push_back({"Ktr", shortest(e.Ktr)});
  }
  return rows;
}

std::vector<LawEntryText> describe(const TableEntries& e) {
  return {{"law", "table"}, {"file", e.source}, {"points", std::to_string(e.points.size())}};
}

}  // namespace

RunLaw formRunLaw(const LawEntries& entries, const AnalysisParameters& p) {
  struct Form {
    const AnalysisParameters& p;
    RunLaw operator()(const KvtLawEntries&) const { return BondLaw(p); }
    RunLaw operator()(const Mc2010Entries& e) const {
      return Mc2010Law(e, static_cast<double>(p.db) * codes::kMmPerCm);
    }
    RunLaw operator()(const TableEntries& e) const { return TabulatedLaw(e.points); }
  };
  return std::visit(Form{p}, entries);
}

bool isKvtLaw(const LawEntries& entries) {
  return std::holds_alternative<KvtLawEntries>(entries);
}

std::vector<LawEntryText> describeLaw(const LawEntries& entries) {
  return std::visit([](const auto& e) { return describe(e); }, entries);
}

std::string lawSummary(const LawEntries& entries) {
  std::vector<LawEntryText> rows = describeLaw(entries);
  std::string text = rows.front().value;
  for (std::size_t i = 1; i < rows.size(); ++i) {
    LawEntryText& row = rows[i];
    if (row.name == "file") row.value = std::filesystem::path(row.value).filename().string();
    text += i == 1 ? ": " : ", ";
    const bool word = row.name == "bond" || row.name == "failure" || row.name == "file";
    text += word ? row.name + " " + row.value : row.name + " = " + row.value;
  }
  return text;
}

}  // namespace kvt
