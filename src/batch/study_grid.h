// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "analysis/run_law.h"
#include "analysis/units.h"
#include "entry_quantity.h"
#include "params/numeric_check.h"
#include "params/parameter_entries.h"

namespace kvt {

// One entry of the parameter window that a study varies, with the texts it takes, each as a user
// would type it into the box: a list ("10,20,30", "D13,D16" for `bar`) keeps its items as
// written; an inclusive range START:STOP:STEP is counted in exact decimals, so 0.1:0.5:0.1 gives
// 0.1, 0.2, 0.3, 0.4 and 0.5, never 0.30000000000000004. A bare number is in the window's unit
// of the entry; a value with its unit ("100mm", "30MPa", "200GPa" for Es) is typed into the box
// converted to that unit. A range takes one unit for all its numbers ("100:600:50mm"), and so
// does a list whose last item alone has one ("100,150,200mm").
class VariedEntry {
 public:
  // "lb=10:60:5", "bar=D13,D16": the entry or one line saying what is wrong.
  static std::variant<VariedEntry, std::string> parse(std::string_view option);

  const std::string& name() const { return name_; }  // as on the command line
  int box() const { return box_; }                   // Text<box>; 0 for `bar`, −1 for a law's
  bool isBar() const { return box_ == 0; }
  // "law.fcm": an entry of the MC2010 law given with --law, not a box of the window.
  bool isLawEntry() const { return box_ < 0; }
  // A range runs from its first value to its last, in order.
  bool isRange() const { return range_.has_value(); }
  std::uint64_t size() const;
  // The text typed into the box, in the window's unit.
  std::string text(std::uint64_t k) const;
  // The value as given on the command line, with its unit if it had one: "100mm".
  std::string typedText(std::uint64_t k) const;
  // For a range whose step does not land on its stop (10:20:3), a line saying so with the values
  // that run: the command runs them, but the user asked for 20.
  std::optional<std::string> shortfall() const;

  // What kind of quantity the entry is, and a value's number as `units` shows it (see
  // `shownUnit`), from the text typed into its box; a bar by its diameter.
  const EntryQuantity& quantity() const;
  double shown(const std::string& boxText, UnitSystem units) const;
  // Whether any value was given with a unit of its own.
  bool unitsTyped() const;

 private:
  std::optional<std::string> parseRange(std::string_view values);
  std::optional<std::string> parseList(std::string_view values);
  std::optional<std::string> checkUnits();
  std::optional<std::string> unitProblem(const std::string& typed) const;
  std::string boxText(const std::string& typed) const;

  struct Range {
    std::int64_t start = 0;  // in units of 10^-decimals
    std::int64_t step = 0;
    std::uint64_t count = 0;
    std::int64_t stop = 0;
    int decimals = 0;
  };

  std::string name_;
  int box_ = 0;
  std::vector<std::string> list_;  // as typed, each with the unit it is read in
  std::vector<std::string> boxList_;
  std::optional<Range> range_;
  std::string rangeUnit_;  // "" for bare numbers
};

// The full grid of a study's varied entries. Runs are numbered 0 … size − 1 in grid order: the
// first --vary changes slowest, the last fastest, as nested loops in the order given.
class StudyGrid {
 public:
  StudyGrid() = default;
  explicit StudyGrid(std::vector<VariedEntry> entries) : entries_(std::move(entries)) {}

  const std::vector<VariedEntry>& entries() const { return entries_; }
  // The number of runs, 1 when nothing varies; saturates at UINT64_MAX.
  std::uint64_t size() const;
  // The value of every entry at a run, in --vary order.
  std::vector<std::string> values(std::uint64_t run) const;
  // The same as given on the command line ("100mm").
  std::vector<std::string> typedValues(std::uint64_t run) const;
  // "lb=30" or "bar=D13.lb=30": the run's part of its file names.
  std::string tag(std::uint64_t run) const;

  // Types a run's values into the boxes as a user would: each box is emptied and the value
  // typed, so its rule runs even when the text was already there. A bar or db goes first, so
  // that its rule's Δl = db/2 is in place before a varied Δl is typed over it; the others
  // follow in the order of the parameter file. The first numeric error of a rule is returned.
  std::optional<NumericError> enter(std::uint64_t run, ParameterEntries& entries) const;
  // Gives the run's values of the law's entries ("law.fcm") to the law, which must be an MC2010
  // law; says why not otherwise.
  std::optional<std::string> enterLaw(std::uint64_t run, LawEntries& law) const;

 private:
  std::vector<VariedEntry> entries_;
};

// A number written out in full, as a command line should give it: sign, digits with at most one
// point, an optional exponent ("2.4", "-0.5", "1e-5"). A box would read "12cm" as 12 and "1,5"
// as 1; on a command line those are typing mistakes.
bool isWrittenNumber(std::string_view text);

// The names an entry can be varied by, for messages: "cotAlpha, beta, …, ds, bar".
std::string variedEntryNames();

// Why `entry` cannot be varied beside the `earlier` ones, in words that follow its name ("lb is
// given twice; …"): the same entry twice, or a bar beside the db, Ab or phi it sets.
std::optional<std::string> variedEntryClash(const std::vector<VariedEntry>& earlier,
                                            const VariedEntry& entry);
// Why a varied initial ds cannot run ("the initial ds must be positive, not 0"); nothing for
// any other entry.
std::optional<std::string> variedDsProblem(const VariedEntry& entry);

}  // namespace kvt
