// SPDX-License-Identifier: MIT
// kvt-batch: runs parameter files without the window, one summary line per file.
#include <charconv>
#include <cstdio>
#include <exception>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "output/batch_run.h"

namespace {

constexpr const char* kUsage =
    "usage: kvt-batch [--detail | --no-detail] [--csv] [--profile-csv STEP[,STEP...]] "
    "FILE.kvt...\n"
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
    "failed, 2 for a wrong command line.\n"
    "\n"
    "  --detail        write the profile of every step (overrides the file's Detail output)\n"
    "  --no-detail     write the load-slip rows only\n"
    "  --csv           also write the load-slip response as NAME.csv\n"
    "  --profile-csv S also write the distribution along the bar at steps S (comma-separated)\n"
    "                  as NAME.stepN.csv\n"
    "  --help          show this text\n";

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

}  // namespace

int main(int argc, char** argv) {
  kvt::BatchOptions options;
  std::vector<std::string> files;
  for (int k = 1; k < argc; ++k) {
    const std::string_view arg = argv[k];
    if (arg == "--help" || arg == "-h") {
      std::fputs(kUsage, stdout);
      return 0;
    } else if (arg == "--detail") {
      options.detailOutput = true;
    } else if (arg == "--no-detail") {
      options.detailOutput = false;
    } else if (arg == "--csv") {
      options.loadSlipCsv = true;
    } else if (arg == "--profile-csv") {
      if (k + 1 >= argc || !parseSteps(argv[k + 1], options.profileSteps)) {
        std::fputs("kvt-batch: --profile-csv needs step numbers, e.g. 1,100,251\n", stderr);
        return 2;
      }
      ++k;
    } else if (arg.starts_with("-") && arg != "-") {
      std::fprintf(stderr, "kvt-batch: unknown option %s\n\n%s", argv[k], kUsage);
      return 2;
    } else {
      files.emplace_back(arg);
    }
  }
  if (files.empty()) {
    std::fputs(kUsage, stderr);
    return 2;
  }
  const kvt::SystemClock clock;
  int failures = 0;
  for (const std::string& file : files) {
    kvt::BatchResult result;
    try {
      result = kvt::runParameterFile(file, options, clock);
    } catch (const std::exception& error) {
      // Whatever went wrong with one file, the others still run.
      result.message = file + ": " + error.what();
    }
    std::fprintf(result.succeeded ? stdout : stderr, "%s%s\n",
                 result.succeeded ? "" : "kvt-batch: ", result.message.c_str());
    if (!result.succeeded) ++failures;
  }
  return failures == 0 ? 0 : 1;
}
