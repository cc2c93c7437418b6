// SPDX-License-Identifier: MIT
#include "batch_command_line.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <functional>
#include <optional>

#include "code_options.h"
#include "params/format_number.h"
#include "params/parse_number.h"
#include "params/quantity_text.h"

namespace kvt {

namespace {

constexpr std::string_view kUsage =
    "usage: kvt-batch [OPTION]... FILE.kvt...\n"
    "       kvt-batch --vary NAME=VALUES... [--find-lb --fy STRESS] [OPTION]... BASE.kvt...\n"
    "\n"
    "Loads each parameter file as the parameter window would, runs the pull-out analysis and\n"
    "writes the result file beside it (beam1.kvt gives beam1.T-S). One line per file:\n"
    "\n"
    "  FILE: STEPS steps, τb.max PEAK kgf/cm², τbumax AVG kgf/cm², Pbumax LOAD kgf → RESULT\n"
    "\n"
    "PEAK is the peak of the local bond law, AVG and LOAD the largest average bond stress and\n"
    "loaded-end force of the run (MPa and kN with --units si); with --fy the line says whether\n"
    "the bar yields before it pulls out. The bar is taken as elastic: a run whose bar stress\n"
    "Pbumax/Ab passes 7000 kgf/cm², which no deformed bar carries, is named on standard error. A "
    "file that cannot be read, holds an entry that cannot be\n"
    "converted, or whose run fails (an arithmetic fault, a result file that cannot be written,\n"
    "10000 steps without reaching zero bond stress) is reported on standard error with its\n"
    "name and the reason; the other files still run. The exit status is 1 when any file or\n"
    "run failed, 2 for a wrong command line (then nothing is run or written). An entry of\n"
    "which only the leading number is read is named on standard error (beam1.kvt: lb \"20,5\"\n"
    "is read as 20); its run goes on. A run that fails still writes the CSV files and figures\n"
    "of the steps it finished, and says so on its error line.\n"
    "\n"
    "  --detail        write the profile of every step (overrides the file's Detail output)\n"
    "  --no-detail     write the load-slip rows only\n"
    "  --csv           also write the load-slip response as NAME.csv\n"
    "  --profile-csv S also write the distribution along the bar at steps S (comma-separated)\n"
    "                  as NAME.stepN.csv\n"
    "  --figures F     also write report figures in the formats F (png, svg, pdf; comma-\n"
    "                  separated): NAME.load-slip.F, NAME.tau-slip.F, NAME.bond-law.F, and\n"
    "                  NAME.profile.stepN.F for the step of Pbumax and each --profile-csv step.\n"
    "                  Needs no display; without this option Qt is not even loaded\n"
    "  --figure-size S the size of the figures on paper, WIDTHxHEIGHT (default 160x100mm;\n"
    "                  85x60mm fits a journal's single column); text keeps its size in points,\n"
    "                  7 pt at the least. PNG files have 10 pixels a millimetre\n"
    "  --units U       units of the CSV files, summaries, figures and result lines: kgf-cm (as\n"
    "                  entered, the default) or si (kN, mm, MPa; a varied entry's lengths in\n"
    "                  mm too); the result file is always in kgf-cm\n"
    "  --ds VALUE      the initial slip increment ds of every run, cm or with its unit\n"
    "                  (0.0001mm; default 0.0000100 cm)\n"
    "  --method M      segments (the default) or converged. segments is the march of the\n"
    "                  windows: lb cut into whole segments of Δl (20 cm at Δl = 0.65 is analysed\n"
    "                  as 20.15), first order in Δl. converged solves the same bar over lb itself\n"
    "                  to 1e-7 (the loaded end's force and slip), for the CSV files, figures and\n"
    "                  summary. The result file is always the march's report; the run's line\n"
    "                  says which method gave which file\n"
    "  --output-dir D  write every output in folder D (made when missing) instead of beside\n"
    "                  the parameter file\n"
    "  --law FILE      run with the bond law of FILE (TOML) instead of kvt's own: law =\n"
    "                  \"mc2010\" with its entries, \"table\" with a CSV file of measured points,\n"
    "                  or \"kvt\". Such a run writes no result file, whose header describes\n"
    "                  kvt's own law; its line says so, and its CSV files, figures and\n"
    "                  summary name the law with all its entries\n"
    "  -j N, --jobs N  run N analyses at a time (default: every core); the outputs are the\n"
    "                  same whatever N\n"
    "  --              end of the options: every later argument is a file\n"
    "  --help          show this text\n"
    "  --version       show the version\n"
    "\n"
    "Parameter studies. A study runs its base file once for every combination of values:\n"
    "\n"
    "  --vary NAME=VALUES  vary one entry of the parameter window; several give the full grid,\n"
    "                  the first changing slowest. NAME is cotAlpha, beta, deltaL, ru, lb,\n"
    "                  sigmaB, sigmaT, Ec, db, Ab, phi, Es, pw, C1, C2, reductionFactor, tauU,\n"
    "                  su, ds, or bar: db, Ab and phi of a JIS G 3112 deformed bar (D6, D10,\n"
    "                  D13, D16, D19, D22, D25, D29, D32, D35, D38, D41, D51). VALUES is a\n"
    "                  list (10,20,30) or an inclusive range START:STOP:STEP (10:60:5).\n"
    "                  Values are typed into the boxes as in the window, in its units (kgf,\n"
    "                  cm; Ec in 10^5 and Es in 10^6 kgf/cm², whatever --units says): db or\n"
    "                  bar first, then the others in file order, so a varied db gives\n"
    "                  Δl = db/2 unless Δl is varied as well. A value may carry its unit,\n"
    "                  converted to the window's: lb=100:600:50mm, sigmaT=2.5,3MPa (one unit\n"
    "                  after a range's step or a list's last value is every value's),\n"
    "                  Es=200GPa, Ab=127mm2, beta=1.02 1/mm. With an MC2010 --law, also\n"
    "                  law.fcm, law.fck, law.c_clear, law.c_min, law.c_max, law.km and\n"
    "                  law.Ktr, in MPa and mm (law.fcm=25:45:5)\n"
    "  --summary FILE  the summary, one row per run in grid order (default NAME.study.csv\n"
    "                  beside the result file): run, the varied values, outcome, steps,\n"
    "                  tau_bmax, tau_bumax, Pbumax, the loaded-end and free-end slip at Pbumax,\n"
    "                  its step, the loaded-end slip at the end, the method and the length\n"
    "                  it analysed (lb itself, or lb rounded up to whole segments). It is\n"
    "                  written as FILE.part and moved over FILE when whole: a study killed\n"
    "                  part-way leaves FILE.part with the complete rows so far and nothing\n"
    "                  else. A summary, kept file or figure that is an input or another\n"
    "                  output of the command stops it before anything runs\n"
    "  --keep-runs     also keep each run's result file, CSVs and figures, NAME.lb=30.T-S and\n"
    "                  so on\n"
    "  --figures F     with a study: the load-slip curves of all runs in one figure, legend by\n"
    "                  the varied values (NAME.study.load-slip.F, up to 20 runs), and Pbumax\n"
    "                  against the last varied entry, a curve for each value of the others\n"
    "                  (NAME.study.pbumax.F), with --find-lb also the required lb\n"
    "                  (NAME.study.required-lb.F)\n"
    "  --shard K/N     run only the K-th of N slices of the grid: runs K, K+N, K+2N, ... For a\n"
    "                  Slurm array or GNU parallel. Every row carries its run number in the\n"
    "                  whole grid, and the slices' rows, sorted by run under one header, are\n"
    "                  exactly the whole study's summary (default NAME.study.shardKofN.csv):\n"
    "                    (head -n 1 beam1.study.shard1of8.csv; tail -q -n +2 \\\n"
    "                     beam1.study.shard*of8.csv | sort -t, -k1,1n) > beam1.study.csv\n"
    "  --yes           run a grid of more than 100000 runs, or a --fy outside 1000 to 10000\n"
    "                  kgf/cm² (98 to 981 MPa)\n"
    "\n"
    "Required bond length:\n"
    "  --find-lb       for the base case and every case of the grid, the shortest lb on a\n"
    "                  0.1 cm grid at which Pbumax reaches the yield force fy·Ab: a scan every\n"
    "                  5 cm, bisection in the first bracket, and the answer confirmed against\n"
    "                  the length 0.1 cm shorter. The summary adds the yield force, the\n"
    "                  required lb (mm with --units si) and Pbumax at it and 0.1 cm shorter;\n"
    "                  its figure marks the bars that never yield at the top of its axis. It\n"
    "                  uses the converged analysis, and so do the study's runs, unless\n"
    "                  --method segments asks for the march\n"
    "  --fy STRESS     the bar's yield stress with its unit (345MPa, 3500kgf/cm2); a bare\n"
    "                  number is in kgf/cm², or in MPa with --units si. Also without\n"
    "                  --find-lb: the load-slip figures draw the yield force fy·Ab, and the\n"
    "                  result line or the summary says whether the bar yields before it\n"
    "                  pulls out\n"
    "  --lb-max L      the longest lb tried, cm or with its unit (2m; default 200 cm)\n"
    "\n"
    "Design codes:\n"
    "  --codes LIST    ec2-2004, ec2-2023, mc2010, aci318 (comma-separated) or all: each code's\n"
    "                  anchorage length of the bar in tension, with --fy, for φ = db and\n"
    "                  fck = σB. Without --find-lb they are printed for each file and nothing\n"
    "                  runs; with it, the summary gives each a column (its design or mean\n"
    "                  basis in the header) and the required-lb figure a curve\n"
    "  --cover L       clear cover to the bar (default 40 mm; a bare length is in cm)\n"
    "  --spacing L     clear spacing to the next bar (default: a single bar)\n"
    "  --bond B        good (default) or poor bond conditions\n"
    "  --gamma-c X, --gamma-s X, --alpha-ct X   EN 1992's γc, γs and αct (1.5, 1.15, 1)\n"
    "  --alphas A      EN 1992-1-1:2004's α1,…,α5 (default 1,1,1,1,1)\n"
    "  --klb X, --n-sigma X   EN 1992-1-1:2023's klb and nσ (50, 1.5)\n"
    "  --km X, --ktr X MC2010's km and Ktr (0, 0); --ktr-aci L ACI 318's Ktr (0)\n"
    "  --psi-e X, --lambda X  ACI 318's ψe and λ (1, 1)\n"
    "\n"
    "Example: Pbumax against lb for three bars, and the required lb for fy = 3500 kgf/cm²:\n"
    "  kvt-batch --vary bar=D13,D19,D25 --vary lb=10:60:5 beam1.kvt\n"
    "  kvt-batch --vary bar=D13,D19,D25 --find-lb --fy 3500kgf/cm2 beam1.kvt\n"
    "and with the codes' lengths beside it, or alone for one case:\n"
    "  kvt-batch --vary bar=D13,D19,D25 --find-lb --fy 3500kgf/cm2 --codes all beam1.kvt\n"
    "  kvt-batch --codes ec2-2004,mc2010 --fy 345MPa --cover 30mm beam1.kvt\n";

bool parseFigureFormats(std::string_view list, std::vector<FigureFormat>& formats) {
  while (!list.empty()) {
    const std::size_t comma = list.find(',');
    const std::string_view item = list.substr(0, comma);
    bool known = false;
    for (const FigureFormat format : {FigureFormat::Png, FigureFormat::Svg, FigureFormat::Pdf})
      if (item == figureExtension(format)) {
        known = true;
        if (std::find(formats.begin(), formats.end(), format) == formats.end())
          formats.push_back(format);
      }
    if (!known) return false;
    list = comma == std::string_view::npos ? std::string_view() : list.substr(comma + 1);
  }
  return !formats.empty();
}

bool parseSteps(std::string_view list, std::set<int>& steps) {
  while (!list.empty()) {
    const std::size_t comma = list.find(',');
    const std::string_view item = list.substr(0, comma);
    int step = 0;
    const auto [end, error] = std::from_chars(item.data(), item.data() + item.size(), step);
    if (error != std::errc() || end != item.data() + item.size() || step < 1) return false;
    steps.insert(step);
    list = comma == std::string_view::npos ? std::string_view() : list.substr(comma + 1);
  }
  return !steps.empty();
}

template <class Integer>
std::optional<Integer> wholeNumber(std::string_view text) {
  Integer value{};
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

// A positive value in `unit`, given bare in that unit or with a unit of its own ("0.1mm").
std::optional<double> positiveValue(std::string_view text, Dimension dimension, Unit unit) {
  const ValueReading reading = readValue(text, dimension, unit);
  if (!reading.quantity) return std::nullopt;
  const double value = inUnit(*reading.quantity, unit);
  if (!(value > 0) || value > 1e300) return std::nullopt;
  return value;
}

// "200" or "150.5": a length in tenths of a cm; with a unit, "2m" or "1505mm".
std::optional<int> lengthInTenths(std::string_view text) {
  const ValueReading reading = readValue(text, Dimension::Length, Unit::Cm);
  if (reading.unitGiven) {
    if (!reading.quantity) return std::nullopt;
    const double tenths = inUnit(*reading.quantity, Unit::Cm) * 10;
    const double whole = std::round(tenths);
    if (!(whole >= 0 && whole <= 1e6) || std::abs(tenths - whole) > 1e-9 * std::max(1.0, whole))
      return std::nullopt;
    return static_cast<int>(whole);
  }
  const std::size_t point = text.find('.');
  const std::string_view whole = text.substr(0, point);
  const std::string_view tenth =
      point == std::string_view::npos ? std::string_view("0") : text.substr(point + 1);
  const auto cm = wholeNumber<int>(whole);
  const auto fraction = wholeNumber<int>(tenth);
  if (!cm || !fraction || tenth.size() != 1 || *cm < 0 || *cm > 100000) return std::nullopt;
  return *cm * 10 + *fraction;
}

using Result = std::optional<std::string>;

// "85x60mm", "8.5x6cm", "85x60" (mm): the size of every figure on paper.
Result setFigureSize(BatchCommand& c, std::string_view value) {
  const std::string refusal = "--figure-size is WIDTHxHEIGHT on paper, each " +
                              shortestNumber(kSmallestFigureMm) + " to " +
                              shortestNumber(kLargestFigureMm) +
                              " mm, e.g. 85x60mm or 16x10cm, not '" + std::string(value) + "'";
  const std::size_t x = value.find('x');
  if (x == std::string_view::npos) return refusal;
  std::string width(value.substr(0, x));
  const std::string height(value.substr(x + 1));
  // A unit after the height alone is the width's too.
  const ValueReading h = readValue(height, Dimension::Length, Unit::Mm);
  if (h.unitGiven && h.quantity && readValue(width, Dimension::Length, Unit::Mm).quantity &&
      !readValue(width, Dimension::Length, Unit::Mm).unitGiven)
    width += std::string(unitText(h.quantity->unit));
  const ValueReading w = readValue(width, Dimension::Length, Unit::Mm);
  if (!w.quantity || !h.quantity) return refusal;
  const double widthMm = inUnit(*w.quantity, Unit::Mm);
  const double heightMm = inUnit(*h.quantity, Unit::Mm);
  for (const double mm : {widthMm, heightMm})
    if (!(mm >= kSmallestFigureMm && mm <= kLargestFigureMm)) return refusal;
  c.options.figureSize = {widthMm, heightMm};
  return std::nullopt;
}

// An option of the command line: its name, whether it takes a value, and what it does. The
// error it returns is the whole line shown to the user.
struct CommandOption {
  std::string_view name;
  bool takesValue;
  std::function<Result(BatchCommand&, std::string_view value)> apply;
};

// An option without a value that only sets something.
CommandOption flag(std::string_view name, void (*set)(BatchCommand&)) {
  return {name, false, [set](BatchCommand& c, std::string_view) -> Result {
            set(c);
            return std::nullopt;
          }};
}

void setHelp(BatchCommand& c) {
  c.action = BatchCommand::Action::Help;
}

Result setJobs(BatchCommand& c, std::string_view value) {
  const auto jobs = wholeNumber<unsigned>(value);
  if (!jobs || *jobs < 1 || *jobs > 1024)
    return "-j needs a number of analyses at a time, 1 to 1024, not '" + std::string(value) + "'";
  c.options.jobs = *jobs;
  return std::nullopt;
}

const std::vector<CommandOption>& optionTable() {
  static std::vector<CommandOption> table = {
      flag("--help", setHelp),
      flag("-h", setHelp),
      flag("--version", [](BatchCommand& c) { c.action = BatchCommand::Action::Version; }),
      flag("--detail", [](BatchCommand& c) { c.options.detailOutput = true; }),
      flag("--no-detail", [](BatchCommand& c) { c.options.detailOutput = false; }),
      flag("--csv", [](BatchCommand& c) { c.options.loadSlipCsv = true; }),
      {"--profile-csv", true,
       [](BatchCommand& c, std::string_view value) -> Result {
         if (!parseSteps(value, c.options.profileSteps))
           return "--profile-csv needs step numbers, e.g. 1,100,251";
         return std::nullopt;
       }},
      {"--figures", true,
       [](BatchCommand& c, std::string_view value) -> Result {
         if (!parseFigureFormats(value, c.options.figureFormats))
           return "--figures takes png, svg or pdf, comma-separated, not '" + std::string(value) +
                  "'";
         return std::nullopt;
       }},
      {"--figure-size", true, setFigureSize},
      {"--units", true,
       [](BatchCommand& c, std::string_view value) -> Result {
         if (value == "si" || value == "SI") {
           c.options.units = UnitSystem::SI;
         } else if (value == "kgf-cm") {
           c.options.units = UnitSystem::KgfCm;
         } else {
           return "--units is si or kgf-cm, not '" + std::string(value) + "'";
         }
         return std::nullopt;
       }},
      {"--ds", true,
       [](BatchCommand& c, std::string_view value) -> Result {
         const auto ds = positiveValue(value, Dimension::Length, Unit::Cm);
         if (!ds)
           return "--ds needs a positive slip increment in cm, e.g. 0.00001 or 0.0001mm, not '" +
                  std::string(value) + "'";
         // A bare number is typed as written, as the window's box would hold it.
         c.options.initialDs = readValue(value, Dimension::Length, Unit::Cm).unitGiven
                                   ? shortestNumber(*ds)
                                   : std::string(value);
         return std::nullopt;
       }},
      {"--method", true,
       [](BatchCommand& c, std::string_view value) -> Result {
         if (value == "segments") {
           c.options.method = RunMethod::Segments;
         } else if (value == "converged") {
           c.options.method = RunMethod::Converged;
         } else {
           return "--method is segments or converged, not '" + std::string(value) + "'";
         }
         return std::nullopt;
       }},
      {"--output-dir", true,
       [](BatchCommand& c, std::string_view value) -> Result {
         if (value.empty()) return "--output-dir needs a folder";
         c.options.outputDir = std::string(value);
         return std::nullopt;
       }},
      {"-j", true, setJobs},
      {"--jobs", true, setJobs},
      {"--vary", true,
       [](BatchCommand& c, std::string_view value) -> Result {
         auto parsed = VariedEntry::parse(value);
         if (auto* error = std::get_if<std::string>(&parsed)) return *error;
         auto entries = c.study.grid.entries();
         const VariedEntry& entry = std::get<VariedEntry>(parsed);
         if (auto clash = variedEntryClash(entries, entry)) return "--vary " + *clash;
         if (auto note = entry.shortfall()) c.notes.push_back(*note);
         entries.push_back(entry);
         c.study.grid = StudyGrid(std::move(entries));
         return std::nullopt;
       }},
      {"--summary", true,
       [](BatchCommand& c, std::string_view value) -> Result {
         if (value.empty()) return "--summary needs a file name";
         c.study.summaryPath = std::string(value);
         return std::nullopt;
       }},
      flag("--keep-runs", [](BatchCommand& c) { c.study.keepRuns = true; }),
      {"--shard", true,
       [](BatchCommand& c, std::string_view value) -> Result {
         const std::size_t slash = value.find('/');
         const auto k = wholeNumber<std::uint64_t>(value.substr(0, slash));
         const auto n = slash == std::string_view::npos
                            ? std::nullopt
                            : wholeNumber<std::uint64_t>(value.substr(slash + 1));
         if (!k || !n || *k < 1 || *k > *n)
           return "--shard is K/N with 1 <= K <= N, e.g. 3/8, not '" + std::string(value) + "'";
         c.study.shard = {*k, *n};
         return std::nullopt;
       }},
      flag("--yes", [](BatchCommand&) {}),
      flag("--find-lb", [](BatchCommand& c) { c.study.findLb = true; }),
      {"--fy", true,
       [](BatchCommand& c, std::string_view value) -> Result {
         // A bare number is read once the units of the whole command line are known.
         if (!positiveValue(value, Dimension::Stress, Unit::KgfCm2))
           return "--fy needs a positive yield stress, e.g. 345MPa or 3500kgf/cm2, not '" +
                  std::string(value) + "'";
         c.fyText = std::string(value);
         return std::nullopt;
       }},
      {"--law", true,
       [](BatchCommand& c, std::string_view value) -> Result {
         if (value.empty()) return "--law needs a bond-law file (TOML)";
         c.lawFile = std::string(value);
         return std::nullopt;
       }},
      {"--codes", true,
       [](BatchCommand& c, std::string_view value) { return applyCodeList(c.study.codes, value); }},
      {"--lb-max", true,
       [](BatchCommand& c, std::string_view value) -> Result {
         const auto tenths = lengthInTenths(value);
         if (!tenths || *tenths < 1)
           return "--lb-max needs a length in cm with at most one decimal, 0.1 to 100000, or "
                  "with its unit (2m), not '" +
                  std::string(value) + "'";
         c.study.lbMaxTenths = *tenths;
         return std::nullopt;
       }},
  };
  static const bool withCodeOptions = [] {
    for (const std::string_view name : codeOptionNames())
      table.push_back({name, true, [name](BatchCommand& c, std::string_view value) {
                         return applyCodeOption(c.study.codes, name, value);
                       }});
    return true;
  }();
  (void)withCodeOptions;
  return table;
}

const CommandOption* findOption(std::string_view name) {
  for (const CommandOption& option : optionTable())
    if (option.name == name) return &option;
  return nullptr;
}

// The yield stress in kgf/cm²: a bare --fy is in the units of the outputs, as it always was.
// No deformed bar yields outside 1000 … 10000 kgf/cm² (98 … 981 MPa); a value beyond is most
// likely given in the other units, and is run only with --yes.
Result resolveYieldStress(BatchCommand& c, bool yes) {
  const bool si = c.options.units == UnitSystem::SI;
  const ValueReading reading =
      readValue(c.fyText, Dimension::Stress, si ? Unit::MPa : Unit::KgfCm2);
  const double fy = inUnit(*reading.quantity, Unit::KgfCm2);
  c.options.fy = fy;
  if (yes || (fy >= 1000 && fy <= 10000)) return std::nullopt;
  const std::string mpa = formatNumber(inUnit(*reading.quantity, Unit::MPa), "0.#") + " MPa";
  const std::string kgf = formatNumber(fy, "0.#") + " kgf/cm²";
  std::string read = "--fy " + c.fyText + " is ";
  if (reading.unitGiven) {
    read += reading.quantity->unit == Unit::KgfCm2 ? kgf : kgf + " (" + mpa + ")";
  } else {
    read += si ? mpa + " (" + kgf + ") with --units si" : kgf + " (" + mpa + ")";
  }
  return read +
         "; a reinforcing bar yields at 1000 to 10000 kgf/cm² (98 to 981 MPa). Give its unit "
         "(--fy 345MPa, --fy 3500kgf/cm2), or --yes to run it all the same";
}

// The required length and the codes need --fy (a plain run or a study takes it too); the codes'
// options go with --codes, and --codes alone runs nothing, so options of a run are refused.
Result checkYieldAndCodes(BatchCommand& c, const std::function<bool(std::string_view)>& has) {
  const StudyOptions& study = c.study;
  const bool codes = !study.codes.codes.empty();
  if (!codes)
    for (const std::string_view name : codeOptionNames())
      if (has(name)) return std::string(name) + " goes with --codes";
  if (!study.findLb && has("--lb-max")) return std::string("--lb-max goes with --find-lb");
  if ((study.findLb || codes) && !has("--fy"))
    return std::string(study.findLb ? "--find-lb" : "--codes") +
           " needs the bar's yield stress: --fy STRESS";
  if (has("--fy"))
    if (auto error = resolveYieldStress(c, has("--yes"))) return error;
  if (codes && study.isStudy() && !study.findLb)
    return std::string(
        "--codes in a study goes with --find-lb: the codes' lengths stand beside "
        "the required lb");
  if (c.codesOnly())
    for (const char* name : {"--detail", "--no-detail", "--csv", "--profile-csv", "--figures",
                             "--figure-size", "--ds", "--law", "--output-dir"})
      if (has(name))
        return std::string(name) +
               " belongs to a run; --codes without --find-lb prints the codes' lengths and runs "
               "nothing";
  return std::nullopt;
}

// The checks that need the whole command line.
Result checkCombination(BatchCommand& c, const std::vector<std::string>& given) {
  const auto has = [&](std::string_view name) {
    return std::find(given.begin(), given.end(), name) != given.end();
  };
  if (has("--figure-size") && c.options.figureFormats.empty())
    return std::string("--figure-size goes with --figures");
  const StudyOptions& study = c.study;
  if (!study.isStudy()) {
    for (const char* name : {"--summary", "--keep-runs", "--shard"})
      if (has(name)) return std::string(name) + " belongs to a study: give --vary or --find-lb";
  }
  if (auto error = checkYieldAndCodes(c, has)) return error;
  for (const VariedEntry& entry : study.grid.entries()) {
    if (study.findLb && entry.name() == "lb")
      return std::string("--find-lb seeks lb itself; it cannot be varied as well");
    if (c.options.initialDs && entry.name() == "ds")
      return std::string("--ds and --vary ds both set the initial ds; give one of them");
    if (auto problem = variedDsProblem(entry)) return "--vary ds: " + *problem;
  }
  if (study.grid.size() > kLargestGridWithoutYes && !has("--yes"))
    return "the grid has " +
           (study.grid.size() == UINT64_MAX ? std::string("too many")
                                            : std::to_string(study.grid.size())) +
           " runs; give --yes to run more than " + std::to_string(kLargestGridWithoutYes);
  if (study.summaryPath && c.files.size() > 1)
    return std::string("--summary names one file, but a study is run for each of ") +
           std::to_string(c.files.size()) + " parameter files";
  return std::nullopt;
}

}  // namespace

std::string_view batchUsage() {
  return kUsage;
}

BatchCommand parseBatchCommandLine(const std::vector<std::string>& args) {
  BatchCommand command;
  std::vector<std::string> given;
  bool optionsEnded = false;
  for (std::size_t k = 0; k < args.size(); ++k) {
    const std::string_view arg = args[k];
    if (optionsEnded || !arg.starts_with('-') || arg == "-") {
      command.files.emplace_back(arg);
      continue;
    }
    if (arg == "--") {
      optionsEnded = true;
      continue;
    }
    const bool longOption = arg.starts_with("--");
    const std::size_t equals = longOption ? arg.find('=') : std::string_view::npos;
    std::string_view name = arg.substr(0, equals);
    const CommandOption* option = findOption(name);
    std::optional<std::string_view> attached;
    if (equals != std::string_view::npos) attached = arg.substr(equals + 1);
    if (const CommandOption* shortOption = findOption(arg.substr(0, 2));
        !option && !longOption && shortOption && shortOption->takesValue) {
      // A short option with its value attached: "-j4".
      option = shortOption;
      name = arg.substr(0, 2);
      attached = arg.substr(2);
    }
    if (!option) throw UsageError("unknown option " + std::string(arg.substr(0, equals)));
    std::string_view value;
    if (option->takesValue) {
      if (attached) {
        value = *attached;
      } else if (k + 1 < args.size()) {
        value = args[++k];
      } else {
        throw UsageError("option " + std::string(name) + " needs a value");
      }
    } else if (attached) {
      throw UsageError("option " + std::string(name) + " takes no value");
    }
    if (auto error = option->apply(command, value)) throw UsageError(*error);
    given.emplace_back(name);
  }
  if (command.action != BatchCommand::Action::Run) return command;
  if (command.files.empty()) throw UsageError("no parameter file given");
  if (auto error = checkCombination(command, given)) throw UsageError(*error);
  return command;
}

}  // namespace kvt
