// SPDX-License-Identifier: MIT
#include "law_file.h"

#include <toml++/toml.h>
#include <charconv>
#include <cmath>
#include <filesystem>
#include <set>
#include <string_view>
#include <variant>

#include "analysis/analysis_error.h"
#include "atomic_write.h"
#include "csv_table.h"
#include "full_path.h"
#include "params/quantity_text.h"

namespace kvt {

namespace {

std::vector<std::string> fileLines(const std::string& path) {
  try {
    return csvFileLines(path);
  } catch (const CsvTableError& error) {
    throw LawFileError(error.what());
  }
}

// One TOML table's keys, each taken once; what is left at the end was not understood.
class Keys {
 public:
  Keys(const toml::table& table, const std::string& file) : table_(table), file_(file) {
    for (const auto& [key, value] : table)
      unread_.insert(std::string(key.str()));
  }

  [[noreturn]] void refuse(std::string_view key, const std::string& reason) const {
    throw LawFileError(file_ + ": " + std::string(key) + ": " + reason);
  }

  bool has(std::string_view key) const { return table_.contains(key); }

  std::string text(std::string_view key) {
    const auto value = take(key).value<std::string>();
    if (!value) refuse(key, "must be a text in quotes");
    return *value;
  }

  // Every quantity of a law (a strength, a distance) is above zero.
  double quantity(std::string_view key, Dimension dimension, Unit unit) {
    const std::string value = text(key);
    const QuantityReading reading = readQuantity(value, dimension);
    if (!reading.quantity) refuse(key, reading.problem);
    const double q = inUnit(*reading.quantity, unit);
    if (!(q > 0)) refuse(key, "\"" + value + "\" must be above zero");
    return q;
  }

  double factor(std::string_view key) {
    if (!has(key)) return 0;
    const auto value = take(key).value<double>();
    if (!value || !std::isfinite(*value)) refuse(key, "must be a number");
    if (*value < 0) refuse(key, "must not be below zero");
    return *value;
  }

  void noneLeft() const {
    if (!unread_.empty()) refuse(*unread_.begin(), "is not a key of this law; check its spelling");
  }

 private:
  const toml::node& take(std::string_view key) {
    const toml::node* node = table_.get(key);
    if (!node) refuse(key, "is missing");
    unread_.erase(std::string(key));
    return *node;
  }

  const toml::table& table_;
  std::string file_;
  std::set<std::string> unread_;
};

template <class Choice>
Choice choice(Keys& keys, std::string_view key,
              std::initializer_list<std::pair<std::string_view, Choice>> choices) {
  const std::string value = keys.text(key);
  std::string names;
  for (const auto& [name, c] : choices) {
    if (name == value) return c;
    names += (names.empty() ? "\"" : ", \"") + std::string(name) + "\"";
  }
  keys.refuse(key, "\"" + value + "\" is none of " + names);
}

Mc2010Entries mc2010Entries(Keys& keys) {
  using B = Mc2010Entries::Bond;
  using F = Mc2010Entries::Failure;
  Mc2010Entries e;
  if (keys.has("fcm") && keys.has("fck")) keys.refuse("fck", "give fcm or fck, not both");
  if (keys.has("fck")) {
    e.fck = keys.quantity("fck", Dimension::Stress, Unit::MPa);
    e.fcm = *e.fck + 8;  // MC2010 Eq. (5.1-1): fcm = fck + Δf, Δf = 8 MPa
  } else {
    e.fcm = keys.quantity("fcm", Dimension::Stress, Unit::MPa);
  }
  e.bond = choice<B>(keys, "bond", {{"good", B::Good}, {"other", B::Other}});
  e.failure =
      choice<F>(keys, "failure",
                {{"pull-out", F::PullOut}, {"splitting", F::Splitting}, {"lower", F::Lower}});
  e.cClear = keys.quantity("c_clear", Dimension::Length, Unit::Mm);
  if (e.failure != F::PullOut) {
    e.cMin = keys.quantity("c_min", Dimension::Length, Unit::Mm);
    e.cMax = keys.quantity("c_max", Dimension::Length, Unit::Mm);
  }
  e.km = keys.factor("km");
  e.Ktr = keys.factor("Ktr");
  if (e.failure == F::PullOut) {
    try {
      Mc2010Law(e, 0);  // the pull-out law does not depend on the bar
    } catch (const ParameterError& error) {
      keys.refuse("c_clear", error.what());
    }
  }
  return e;
}

struct TableUnits {
  Unit slip = Unit::Mm;
  Unit stress = Unit::MPa;
};

Unit unitOf(std::string_view title, Dimension dimension, const std::string& where) {
  const ColumnUnit unit = columnUnit(title, dimension);
  if (!unit.unit) throw LawFileError(where + unit.problem);
  return *unit.unit;
}

TableUnits tableUnits(std::string_view header, const std::string& file) {
  const std::string where = file + ": line 1: ";
  const std::vector<std::string_view> names = csvFields(header);
  if (names.size() != 2)
    throw LawFileError(where +
                       "the header must name two columns, as "
                       "\"slip (mm),bond stress (MPa)\"");
  return {unitOf(names[0], Dimension::Length, where), unitOf(names[1], Dimension::Stress, where)};
}

std::pair<double, double> tableRow(std::string_view line, const std::string& where) {
  const std::vector<std::string_view> values = csvFields(line);
  if (values.size() != 2)
    throw LawFileError(where + "the line holds " + std::to_string(values.size()) +
                       " values, not a slip and a bond stress");
  try {
    return {csvNumber(values[0], "the slip", where),
            csvNumber(values[1], "the bond stress", where)};
  } catch (const CsvTableError& error) {
    throw LawFileError(error.what());
  }
}

std::string besideFile(const std::string& file, const std::string& name) {
  const std::filesystem::path p(name);
  if (p.is_absolute()) return name;
  return (std::filesystem::path(file).parent_path() / p).string();
}

LawEntries entriesOf(Keys& keys, const std::string& path) {
  const std::string law = keys.text("law");
  if (law == "kvt") return KvtLawEntries{};
  if (law == "mc2010") return mc2010Entries(keys);
  if (law == "table") {
    const std::string table = keys.text("file");
    try {
      return readLawTable(besideFile(path, table));
    } catch (const LawFileError& error) {
      keys.refuse("file", error.what());
    }
  }
  keys.refuse("law", "\"" + law + "\" is none of \"kvt\", \"mc2010\", \"table\"");
}

// The shortest text that reads back as the same number.
std::string shortest(double value) {
  char buffer[32];
  return std::string(buffer, std::to_chars(buffer, buffer + sizeof buffer, value).ptr);
}

std::string line(std::string_view key, const std::string& value) {
  return std::string(key) + " = " + value + "\r\n";
}

std::string quoted(const std::string& text) {
  std::string q = "\"";
  for (const char c : text) {
    if (c == '"' || c == '\\') q += '\\';
    q += c;
  }
  return q + "\"";
}

std::string lawText(const KvtLawEntries&, const std::string&) {
  return line("law", quoted("kvt"));
}

std::string lawText(const Mc2010Entries& e, const std::string&) {
  using F = Mc2010Entries::Failure;
  std::string text = line("law", quoted("mc2010"));
  text += e.fck ? line("fck", quoted(shortest(*e.fck) + " MPa"))
                : line("fcm", quoted(shortest(e.fcm) + " MPa"));
  text += line("bond", quoted(e.bond == Mc2010Entries::Bond::Good ? "good" : "other"));
  text += line("failure", quoted(e.failure == F::PullOut     ? "pull-out"
                                 : e.failure == F::Splitting ? "splitting"
                                                             : "lower"));
  text += line("c_clear", quoted(shortest(e.cClear) + " mm"));
  if (e.failure != F::PullOut) {
    text += line("c_min", quoted(shortest(e.cMin) + " mm"));
    text += line("c_max", quoted(shortest(e.cMax) + " mm"));
  }
  return text + line("km", shortest(e.km)) + line("Ktr", shortest(e.Ktr));
}

std::string lawText(const TableEntries& e, const std::string& path) {
  namespace fs = std::filesystem;
  const fs::path folder = fs::absolute(path).parent_path();
  const fs::path relative = fs::absolute(e.source).lexically_relative(folder);
  const bool beside = !relative.empty() && *relative.begin() != "..";
  return line("law", quoted("table")) +
         line("file", quoted(beside ? relative.generic_string() : e.source));
}

}  // namespace

void saveLawFile(const std::string& path, const LawEntries& law) {
  writeFileAtomically(path, std::visit([&](const auto& e) { return lawText(e, path); }, law));
}

LawEntries readLawFile(const std::string& path) {
  std::string text;
  for (const std::string& line : fileLines(path))
    text += line + "\n";
  return readLawText(text, fullPath(path), path);
}

LawEntries readLawText(const std::string& text, const std::string& file, const std::string& path) {
  toml::table table;
  try {
    table = toml::parse(text, file);
  } catch (const toml::parse_error& error) {
    throw LawFileError(file + ": line " + std::to_string(error.source().begin.line) + ": " +
                       std::string(error.description()));
  }
  Keys keys(table, file);
  LawEntries entries = entriesOf(keys, path);
  keys.noneLeft();
  return entries;
}

TableEntries readLawTable(const std::string& path) {
  return readLawTableLines(fileLines(path), fullPath(path));
}

TableEntries readLawTableLines(const std::vector<std::string>& lines, const std::string& file) {
  if (lines.empty()) throw LawFileError(file + ": line 1: the file is empty");
  const TableUnits units = tableUnits(lines[0], file);
  TableEntries table{file, {}};
  for (std::size_t i = 1; i < lines.size(); ++i) {
    if (trimmedField(lines[i]).empty()) continue;
    const std::string where = file + ": line " + std::to_string(i + 1) + ": ";
    const auto [slip, stress] = tableRow(lines[i], where);
    LawPoint p{inUnit({slip, units.slip}, Unit::Cm), inUnit({stress, units.stress}, Unit::KgfCm2)};
    if (p.slip < 0) throw LawFileError(where + "the slip is below zero");
    if (p.stress < 0) throw LawFileError(where + "the bond stress is below zero");
    if (!table.points.empty() && !(p.slip > table.points.back().slip))
      throw LawFileError(where + "the slip does not increase from the line before");
    table.points.push_back(p);
  }
  if (table.points.empty()) throw LawFileError(file + ": the file has no point below its header");
  try {
    TabulatedLaw law(table.points);
  } catch (const ParameterError& error) {
    throw LawFileError(file + ": " + error.what());
  }
  return table;
}

}  // namespace kvt
