// SPDX-License-Identifier: MIT
#include "study_grid.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <limits>
#include <map>
#include <set>

#include "entry_quantity.h"
#include "jis_bars.h"
#include "params/format_number.h"
#include "params/parse_number.h"
#include "params/quantity_text.h"

namespace kvt {

namespace {

constexpr int kDbBox = 10;
constexpr int kAbBox = 11;
constexpr int kPhiBox = 12;

// Where a box comes in the parameter file, for the order in which values are typed.
std::size_t fileRank(int box) {
  const auto entries = entryQuantities();
  for (std::size_t k = 0; k < entries.size(); ++k)
    if (entries[k].box == box) return k;
  return entries.size();
}

bool isDigit(char c) {
  return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

// Digits with at most one point and at least one digit; returns the position after them.
std::size_t skipDecimal(std::string_view text, std::size_t at) {
  bool digits = false, point = false;
  for (; at < text.size(); ++at) {
    if (isDigit(text[at])) {
      digits = true;
    } else if (text[at] == '.' && !point) {
      point = true;
    } else {
      break;
    }
  }
  return digits ? at : std::string_view::npos;
}

// "100mm" gives "100" and "mm", "20" gives "20" and "": the number as far as a number goes,
// and the rest without blanks before it.
std::pair<std::string_view, std::string_view> splitUnit(std::string_view item) {
  std::size_t at = !item.empty() && (item[0] == '+' || item[0] == '-') ? 1 : 0;
  while (at < item.size() && (isDigit(item[at]) || item[at] == '.'))
    ++at;
  if (at + 1 < item.size() && (item[at] == 'e' || item[at] == 'E')) {
    std::size_t exponent = at + 1;
    if (item[exponent] == '+' || item[exponent] == '-') ++exponent;
    if (exponent < item.size() && isDigit(item[exponent])) {
      at = exponent;
      while (at < item.size() && isDigit(item[at]))
        ++at;
    }
  }
  std::string_view unit = item.substr(at);
  while (!unit.empty() && unit[0] == ' ')
    unit.remove_prefix(1);
  return {item.substr(0, at), unit};
}

}  // namespace

bool isWrittenNumber(std::string_view text) {
  std::size_t at = !text.empty() && (text[0] == '+' || text[0] == '-') ? 1 : 0;
  at = skipDecimal(text, at);
  if (at == std::string_view::npos) return false;
  if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
    ++at;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) ++at;
    const std::size_t digits = at;
    while (at < text.size() && isDigit(text[at]))
      ++at;
    if (at == digits) return false;
  }
  return at == text.size();
}

namespace {

struct Decimal {
  std::int64_t digits = 0;  // the number × 10^decimals
  int decimals = 0;
};

// A plain decimal of at most 15 digits, 9 of them after the point.
std::optional<Decimal> parseDecimal(std::string_view text) {
  const bool negative = !text.empty() && text[0] == '-';
  const std::size_t first = !text.empty() && (text[0] == '+' || text[0] == '-') ? 1 : 0;
  if (skipDecimal(text, first) != text.size()) return std::nullopt;
  Decimal d;
  int count = 0;
  bool afterPoint = false;
  for (std::size_t at = first; at < text.size(); ++at) {
    if (text[at] == '.') {
      afterPoint = true;
      continue;
    }
    if (++count > 15 || (afterPoint && d.decimals == 9)) return std::nullopt;
    d.digits = d.digits * 10 + (text[at] - '0');
    if (afterPoint) ++d.decimals;
  }
  if (negative) d.digits = -d.digits;
  return d;
}

// The number in units of 10^-decimals, or nothing when that leaves the 64-bit range.
std::optional<std::int64_t> scaled(const Decimal& d, int decimals) {
  std::int64_t value = d.digits;
  for (int k = d.decimals; k < decimals; ++k) {
    if (value > INT64_MAX / 10 || value < INT64_MIN / 10) return std::nullopt;
    value *= 10;
  }
  return value;
}

std::string decimalText(std::int64_t value, int decimals) {
  const bool negative = value < 0;
  std::string digits = std::to_string(negative ? -value : value);
  if (decimals > 0) {
    if (digits.size() <= static_cast<std::size_t>(decimals))
      digits.insert(0, static_cast<std::size_t>(decimals) + 1 - digits.size(), '0');
    digits.insert(digits.size() - static_cast<std::size_t>(decimals), ".");
    while (digits.back() == '0')
      digits.pop_back();
    if (digits.back() == '.') digits.pop_back();
  }
  return (negative && digits != "0" ? "-" : "") + digits;
}

}  // namespace

std::string variedEntryNames() {
  std::string names;
  for (const EntryQuantity& entry : entryQuantities()) {
    if (!names.empty()) names += ", ";
    names += entry.name;
  }
  return names;
}

std::variant<VariedEntry, std::string> VariedEntry::parse(std::string_view option) {
  const std::size_t equals = option.find('=');
  if (equals == std::string_view::npos)
    return "--vary needs NAME=VALUES, e.g. lb=10:60:5 or bar=D13,D16, not '" + std::string(option) +
           "'";
  VariedEntry entry;
  entry.name_ = std::string(option.substr(0, equals));
  const EntryQuantity* known = findEntryQuantity(entry.name_);
  if (!known)
    return "--vary: no entry is called '" + entry.name_ + "'; the entries are " +
           variedEntryNames();
  entry.box_ = known->box;
  const std::string_view values = option.substr(equals + 1);
  const std::string what = "--vary " + entry.name_ + ": ";
  const bool range = values.find(':') != std::string_view::npos;
  if (range && entry.isBar()) return what + "bars are listed, not ranged: e.g. bar=D13,D16,D19";
  if (auto error = range ? entry.parseRange(values) : entry.parseList(values)) return what + *error;
  return entry;
}

// START:STOP:STEP, counted in exact decimals; the unit after the step is every value's.
std::optional<std::string> VariedEntry::parseRange(std::string_view values) {
  const std::size_t colon1 = values.find(':');
  const std::size_t colon2 = values.find(':', colon1 + 1);
  if (colon2 == std::string_view::npos || values.find(':', colon2 + 1) != std::string_view::npos)
    return "a range is START:STOP:STEP, e.g. 10:60:5, not '" + std::string(values) + "'";
  const auto [startText, startUnit] = splitUnit(values.substr(0, colon1));
  const auto [stopText, stopUnit] = splitUnit(values.substr(colon1 + 1, colon2 - colon1 - 1));
  const auto [stepText, stepUnit] = splitUnit(values.substr(colon2 + 1));
  if (!((startUnit.empty() && stopUnit.empty()) || (startUnit == stepUnit && stopUnit == stepUnit)))
    return "a range takes one unit, after its step (100:600:50mm), not '" + std::string(values) +
           "'";
  rangeUnit_ = std::string(stepUnit);
  const auto start = parseDecimal(startText);
  const auto stop = parseDecimal(stopText);
  const auto step = parseDecimal(stepText);
  if (!start || !stop || !step)
    return "a range is START:STOP:STEP in plain decimals (at most 15 digits, 9 after the "
           "point), not '" +
           std::string(values) + "'";
  Range range;
  range.decimals = std::max({start->decimals, stop->decimals, step->decimals});
  const auto first = scaled(*start, range.decimals);
  const auto last = scaled(*stop, range.decimals);
  const auto increment = scaled(*step, range.decimals);
  // Within ±9.2·10^18 even the span between the two ends cannot overflow once each end is
  // below 10^18 in magnitude.
  constexpr std::int64_t kLargest = 1'000'000'000'000'000'000;
  if (!first || !last || !increment || *first <= -kLargest || *first >= kLargest ||
      *last <= -kLargest || *last >= kLargest || *increment <= -kLargest || *increment >= kLargest)
    return "a range's numbers are too far apart in size: '" + std::string(values) + "'";
  range.start = *first;
  range.step = *increment;
  const std::int64_t span = *last - range.start;
  if (range.step == 0) return "the step of a range cannot be 0";
  if ((span > 0 && range.step < 0) || (span < 0 && range.step > 0))
    return "a step of " + decimalText(range.step, range.decimals) + " never gets from " +
           decimalText(range.start, range.decimals) + " to " +
           decimalText(range.start + span, range.decimals);
  range.count = static_cast<std::uint64_t>(span / range.step) + 1;
  range.stop = *last;
  range_ = range;
  return checkUnits();
}

// Items as written; a unit after the last item alone is every item's.
std::optional<std::string> VariedEntry::parseList(std::string_view values) {
  std::size_t at = 0;
  std::size_t withUnit = 0;
  for (;;) {
    const std::size_t comma = values.find(',', at);
    std::string item(values.substr(at, comma == std::string_view::npos ? comma : comma - at));
    if (isBar()) {
      const JisBar* bar = findJisBar(item);
      if (!bar)
        return "'" + item +
               "' is not a JIS deformed bar; the bars are D6, D10, D13, D16, D19, D22, D25, "
               "D29, D32, D35, D38, D41 and D51";
      item = std::string(bar->name);
    } else if (item.empty()) {
      return "an empty value in '" + std::string(values) + "'";
    } else if (!isWrittenNumber(splitUnit(item).first)) {
      return "'" + item + "' is not a number";
    } else if (!splitUnit(item).second.empty()) {
      ++withUnit;
      if (auto error = unitProblem(item)) return *error;
    }
    list_.push_back(std::move(item));
    if (comma == std::string_view::npos) break;
    at = comma + 1;
  }
  // A unit after the last item alone is the unit of the whole list.
  if (withUnit == 1 && list_.size() > 1 && !splitUnit(list_.back()).second.empty()) {
    const std::string unit(splitUnit(list_.back()).second);
    for (std::string& item : list_)
      if (splitUnit(item).second.empty()) item += unit;
  } else if (withUnit != 0 && withUnit != list_.size()) {
    return "give a unit with every value or after the last only, not '" + std::string(values) + "'";
  }
  if (auto error = checkUnits()) return *error;
  std::set<std::string> seen;
  std::map<float, std::string> numbers;  // as a box holds them: 10, 10.0, 1e1 and 100mm are one
  for (std::size_t k = 0; k < list_.size(); ++k) {
    const std::string& item = list_[k];
    if (!seen.insert(item).second) return item + " is given twice";
    if (!isBar()) {
      const auto value = static_cast<float>(parseNumber(boxList_[k]));
      const auto [earlier, fresh] = numbers.emplace(value, item);
      if (!fresh && std::isfinite(value))
        return item + " is " + earlier->second + " again: each value runs once";
    }
  }
  return std::nullopt;
}

std::optional<std::string> VariedEntry::shortfall() const {
  if (!range_ ||
      range_->start + static_cast<std::int64_t>(range_->count - 1) * range_->step == range_->stop)
    return std::nullopt;
  // All the values when they are few, else the first three and the last two.
  std::string values;
  for (std::uint64_t k = 0; k < range_->count; ++k) {
    if (range_->count > 6 && k == 3) {
      values += ", …";
      k = range_->count - 3;
      continue;
    }
    values += (k == 0 ? "" : ", ") + typedText(k);
  }
  const std::string stop = decimalText(range_->stop, range_->decimals) + rangeUnit_;
  return "--vary " + name_ + ": the range ends at " + typedText(range_->count - 1) +
         ", short of its stop " + stop + ", and runs " + values;
}

// Every value can be typed into its box: its unit is one of the entry's dimension, and the value
// in the window's unit is a finite number. A range is checked at its two ends, between which
// every value lies.
std::optional<std::string> VariedEntry::checkUnits() {
  if (range_) {
    for (const std::uint64_t k : {std::uint64_t{0}, range_->count - 1})
      if (auto error = unitProblem(typedText(k))) return error;
    return std::nullopt;
  }
  for (const std::string& typed : list_) {
    if (auto error = unitProblem(typed)) return error;
    boxList_.push_back(boxText(typed));
  }
  return std::nullopt;
}

std::optional<std::string> VariedEntry::unitProblem(const std::string& typed) const {
  if (isBar() || splitUnit(typed).second.empty()) return std::nullopt;
  const EntryQuantity& entry = quantity();
  if (!entry.dimension) return name_ + " takes a bare number, not '" + typed + "'";
  const ValueReading reading = readValue(typed, *entry.dimension, entry.unit);
  if (!reading.quantity) return reading.problem;
  if (!std::isfinite(inUnit(*reading.quantity, entry.unit) / entry.scale))
    return "'" + typed + "' is beyond the range of numbers in " + std::string(unitText(entry.unit));
  return std::nullopt;
}

// A bare number is typed as written; a value with a unit as its shortest exact form in the
// window's unit, so "100mm" types "10" into the lb box.
std::string VariedEntry::boxText(const std::string& typed) const {
  if (isBar() || splitUnit(typed).second.empty()) return typed;
  const EntryQuantity& entry = quantity();
  const ValueReading reading = readValue(typed, *entry.dimension, entry.unit);
  return shortestNumber(inUnit(*reading.quantity, entry.unit) / entry.scale);
}

std::uint64_t VariedEntry::size() const {
  return range_ ? range_->count : list_.size();
}

std::string VariedEntry::text(std::uint64_t k) const {
  if (!range_) return boxList_.at(k);
  return rangeUnit_.empty() ? typedText(k) : boxText(typedText(k));
}

std::string VariedEntry::typedText(std::uint64_t k) const {
  if (!range_) return list_.at(k);
  return decimalText(range_->start + static_cast<std::int64_t>(k) * range_->step,
                     range_->decimals) +
         rangeUnit_;
}

std::uint64_t StudyGrid::size() const {
  std::uint64_t runs = 1;
  for (const VariedEntry& entry : entries_) {
    if (entry.size() != 0 && runs > std::numeric_limits<std::uint64_t>::max() / entry.size())
      return std::numeric_limits<std::uint64_t>::max();
    runs *= entry.size();
  }
  return runs;
}

std::vector<std::string> StudyGrid::values(std::uint64_t run) const {
  std::vector<std::string> texts(entries_.size());
  for (std::size_t k = entries_.size(); k-- > 0;) {
    texts[k] = entries_[k].text(run % entries_[k].size());
    run /= entries_[k].size();
  }
  return texts;
}

std::vector<std::string> StudyGrid::typedValues(std::uint64_t run) const {
  std::vector<std::string> texts(entries_.size());
  for (std::size_t k = entries_.size(); k-- > 0;) {
    texts[k] = entries_[k].typedText(run % entries_[k].size());
    run /= entries_[k].size();
  }
  return texts;
}

bool VariedEntry::unitsTyped() const {
  if (range_) return !rangeUnit_.empty();
  return std::any_of(list_.begin(), list_.end(), [this](const std::string& item) {
    return !isBar() && !splitUnit(item).second.empty();
  });
}

const EntryQuantity& VariedEntry::quantity() const {
  return *findEntryQuantity(name_);
}

double VariedEntry::shown(const std::string& boxText, UnitSystem units) const {
  const double value = parseNumber(isBar() ? std::string(findJisBar(boxText)->db) : boxText);
  return value * shownUnit(quantity(), units).factor;
}

std::string StudyGrid::tag(std::uint64_t run) const {
  const std::vector<std::string> texts = values(run);
  std::string tag;
  for (std::size_t k = 0; k < entries_.size(); ++k)
    tag += (k == 0 ? "" : ".") + entries_[k].name() + "=" + texts[k];
  return tag;
}

std::optional<NumericError> StudyGrid::enter(std::uint64_t run, ParameterEntries& entries) const {
  const std::vector<std::string> texts = values(run);
  std::vector<std::size_t> order(entries_.size());
  for (std::size_t k = 0; k < order.size(); ++k)
    order[k] = k;
  const auto rank = [&](std::size_t k) {
    const int box = entries_[k].box();
    return box == 0 || box == kDbBox ? 0 : fileRank(box) + 1;
  };
  std::stable_sort(order.begin(), order.end(),
                   [&](std::size_t a, std::size_t b) { return rank(a) < rank(b); });

  std::optional<NumericError> first;
  const auto type = [&](int box, std::string_view text) {
    entries.setText(box, "");
    if (auto error = entries.setText(box, text); error && !first) first = error;
  };
  for (const std::size_t k : order) {
    if (entries_[k].isLawEntry()) continue;  // `enterLaw` takes those
    if (entries_[k].isBar()) {
      const JisBar& bar = *findJisBar(texts[k]);
      type(kDbBox, bar.db);
      type(kAbBox, bar.Ab);
      type(kPhiBox, bar.phi);
    } else {
      type(entries_[k].box(), texts[k]);
    }
  }
  return first;
}

std::optional<std::string> variedEntryClash(const std::vector<VariedEntry>& earlier,
                                            const VariedEntry& entry) {
  // Text10, Text11 and Text12: the boxes a bar fills.
  const auto barPart = [](const VariedEntry& e) {
    return e.box() == kDbBox || e.box() == kAbBox || e.box() == kPhiBox;
  };
  for (const VariedEntry& other : earlier) {
    if (other.name() == entry.name())
      return entry.name() + " is given twice; list all its values in one";
    if ((other.isBar() && barPart(entry)) || (entry.isBar() && barPart(other)))
      return std::string("bar sets db, Ab and phi; vary either bar or those");
  }
  return std::nullopt;
}

std::optional<std::string> variedDsProblem(const VariedEntry& entry) {
  if (entry.name() != "ds") return std::nullopt;
  // A range is positive throughout when both its ends are.
  const std::uint64_t last = entry.size() - 1;
  for (std::uint64_t k = 0; k <= last; k = entry.isRange() && k < last ? last : k + 1)
    if (!isWrittenNumber(entry.text(k)) || !(parseNumber(entry.text(k)) > 0) ||
        parseNumber(entry.text(k)) > 1e300)
      return "the initial ds must be positive, not " + entry.text(k);
  return std::nullopt;
}

std::optional<std::string> StudyGrid::enterLaw(std::uint64_t run, LawEntries& law) const {
  const std::vector<std::string> texts = values(run);
  for (std::size_t k = 0; k < entries_.size(); ++k) {
    const VariedEntry& entry = entries_[k];
    if (!entry.isLawEntry()) continue;
    auto* mc = std::get_if<Mc2010Entries>(&law);
    if (!mc)
      return "--vary " + entry.name() + " varies an MC2010 law: give one with --law, whose file " +
             "has law = \"mc2010\"";
    const double value = parseNumber(texts[k]);
    const std::string_view key = std::string_view(entry.name()).substr(4);
    if (key == "fcm") {
      mc->fcm = value;
      mc->fck.reset();
    } else if (key == "fck") {
      mc->fck = value;
      mc->fcm = value + 8;  // MC2010 Eq. (5.1-1)
    } else if (key == "c_clear") {
      mc->cClear = value;
    } else if (key == "c_min") {
      mc->cMin = value;
    } else if (key == "c_max") {
      mc->cMax = value;
    } else if (key == "km") {
      mc->km = value;
    } else if (key == "Ktr") {
      mc->Ktr = value;
    }
  }
  return std::nullopt;
}

}  // namespace kvt
