// SPDX-License-Identifier: MIT
#include "batch_command_line.h"

#include <algorithm>
#include <charconv>
#include <functional>
#include <optional>

namespace kvt {

namespace {

constexpr std::string_view kUsage =
    "usage: kvt-batch [OPTION]... FILE.kvt...\n"
    "\n"
    "Loads each parameter file as the parameter window would, runs the pull-out analysis and\n"
    "writes the result file beside it (beam1.kvt gives beam1.T-S). One line per file:\n"
    "\n"
    "  FILE: STEPS steps, τb.max PEAK kgf/cm², τbumax AVG kgf/cm², Pbumax LOAD kgf → RESULT\n"
    "\n"
    "PEAK is the peak of the local bond law, AVG and LOAD the largest average bond stress and\n"
    "loaded-end force of the run. A file that cannot be read, holds an entry that cannot be\n"
    "converted, or whose run fails (an arithmetic fault, a result file that cannot be written,\n"
    "10000 steps without reaching zero bond stress) is reported on standard error with its\n"
    "name and the reason; the other files still run. The exit status is 1 when any file\n"
    "failed, 2 for a wrong command line. An entry of which only the leading number is read\n"
    "is named on standard error (beam1.kvt: lb \"20,5\" is read as 20); its run goes on. A run\n"
    "that fails still writes the CSV files and figures of the steps it finished, and says so on\n"
    "its error line.\n"
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
    "  --units U       units of the CSV files and figures: kgf-cm (as entered, the default) or\n"
    "                  si (kN, mm, MPa); the result file is always in kgf-cm\n"
    "  --              end of the options: every later argument is a file\n"
    "  --help          show this text\n"
    "  --version       show the version\n";

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

// An option of the command line: its name, whether it takes a value, and what it does. The
// error it returns is the whole line shown to the user.
struct OptionSpec {
  std::string_view name;
  bool takesValue;
  std::function<std::optional<std::string>(BatchCommand&, std::string_view value)> apply;
};

const std::vector<OptionSpec>& optionTable() {
  using Result = std::optional<std::string>;
  static const std::vector<OptionSpec> table = {
      {"--help", false,
       [](BatchCommand& c, std::string_view) -> Result {
         c.action = BatchCommand::Action::Help;
         return std::nullopt;
       }},
      {"-h", false,
       [](BatchCommand& c, std::string_view) -> Result {
         c.action = BatchCommand::Action::Help;
         return std::nullopt;
       }},
      {"--version", false,
       [](BatchCommand& c, std::string_view) -> Result {
         c.action = BatchCommand::Action::Version;
         return std::nullopt;
       }},
      {"--detail", false,
       [](BatchCommand& c, std::string_view) -> Result {
         c.options.detailOutput = true;
         return std::nullopt;
       }},
      {"--no-detail", false,
       [](BatchCommand& c, std::string_view) -> Result {
         c.options.detailOutput = false;
         return std::nullopt;
       }},
      {"--csv", false,
       [](BatchCommand& c, std::string_view) -> Result {
         c.options.loadSlipCsv = true;
         return std::nullopt;
       }},
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
  };
  return table;
}

const OptionSpec* findOption(std::string_view name) {
  for (const OptionSpec& spec : optionTable())
    if (spec.name == name) return &spec;
  return nullptr;
}

}  // namespace

std::string_view batchUsage() {
  return kUsage;
}

std::variant<BatchCommand, UsageError> parseBatchCommandLine(const std::vector<std::string>& args) {
  BatchCommand command;
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
    const std::size_t equals = arg.starts_with("--") ? arg.find('=') : std::string_view::npos;
    const std::string_view name = arg.substr(0, equals);
    const OptionSpec* spec = findOption(name);
    if (!spec) return UsageError{"unknown option " + std::string(name)};
    std::string_view value;
    if (spec->takesValue) {
      if (equals != std::string_view::npos) {
        value = arg.substr(equals + 1);
      } else if (k + 1 < args.size()) {
        value = args[++k];
      } else {
        return UsageError{"option " + std::string(name) + " needs a value"};
      }
    } else if (equals != std::string_view::npos) {
      return UsageError{"option " + std::string(name) + " takes no value"};
    }
    if (auto error = spec->apply(command, value)) return UsageError{*error};
  }
  if (command.action == BatchCommand::Action::Run && command.files.empty())
    return UsageError{"no parameter file given"};
  return command;
}

}  // namespace kvt
