// SPDX-License-Identifier: MIT
#include "command_outputs.h"

#include <sys/stat.h>

#include <filesystem>
#include <string_view>

#include "files/link_policy.h"
#include "study_figures.h"

namespace kvt {

namespace {

namespace fs = std::filesystem;

// The file a path names, as writing it would find it: relative names resolved, links followed.
std::string resolved(const std::string& path) {
  std::error_code error;
  std::string file = followLinksForWriting(path, error);
  if (error) file = path;
  const fs::path canonical = fs::weakly_canonical(fs::absolute(file, error), error);
  return error ? fs::absolute(file).lexically_normal().string() : canonical.string();
}

// A device is shared by every writer, so two outputs sent to /dev/null do not clash.
bool isDevice(const std::string& file) {
  struct stat info {};
  return ::stat(file.c_str(), &info) == 0 && !S_ISREG(info.st_mode) && !S_ISDIR(info.st_mode);
}

// A file the command names itself: an input, a summary, a study's figure.
struct Named {
  std::string file;  // resolved
  std::string role;
  bool input = false;
};

// The files a result file brings beside it: "beam1.T-S" with "beam1.csv", "beam1.step7.csv",
// "beam1.load-slip.png", "beam1.profile.step44.png" …; in a study with kept runs, each run's
// after its tag ("beam1.bar=D13.lb=30.T-S").
struct Family {
  std::string stem;  // "/abs/beam1." : the result file's name without "T-S"
  std::string owner;
  const StudyOptions* study = nullptr;  // the kept runs' study; none for a plain run
};

bool isNumber(std::string_view text) {
  return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
}

// Whether `rest` is one of the names a result file brings beside it, as the options ask.
bool isResultCompanion(std::string_view rest, const BatchOptions& options) {
  if (rest == "T-S" || (options.loadSlipCsv && rest == "csv")) return true;
  for (const int step : options.profileSteps)
    if (rest == "step" + std::to_string(step) + ".csv") return true;
  for (const FigureFormat format : options.figureFormats) {
    const std::string ext = "." + std::string(figureExtension(format));
    if (!rest.ends_with(ext)) continue;
    const std::string_view name = rest.substr(0, rest.size() - ext.size());
    if (name == "load-slip" || name == "tau-slip" || name == "bond-law") return true;
    if (name.starts_with("profile.step") && isNumber(name.substr(12))) return true;
  }
  return false;
}

std::string stemOf(const std::string& resultFile) {
  const fs::path result = fs::absolute(resultFile);
  std::error_code error;
  const fs::path folder = fs::weakly_canonical(result.parent_path(), error);
  const std::string name = result.filename().string();
  return ((error ? result.parent_path() : folder) / name.substr(0, name.size() - 3)).string();
}

// The role of the family member that `file` is, or nothing. A study's runs are gone through
// one by one, without keeping their names: a grid may have millions.
std::optional<std::string> memberRole(const std::string& file, const Family& family,
                                      const BatchOptions& options) {
  if (!file.starts_with(family.stem)) return std::nullopt;
  const std::string_view rest = std::string_view(file).substr(family.stem.size());
  if (!family.study || family.study->grid.entries().empty())
    return isResultCompanion(rest, options)
               ? std::optional("an output of " + family.owner + (family.study ? "'s run" : ""))
               : std::nullopt;
  const StudyGrid& grid = family.study->grid;
  const Shard& shard = family.study->shard;
  for (std::uint64_t run = shard.index - 1; run < grid.size(); run += shard.count) {
    const std::string tag = grid.tag(run);
    if (rest.starts_with(tag + ".") && isResultCompanion(rest.substr(tag.size() + 1), options))
      return "a file of run " + std::to_string(run + 1) + " (" + tag + ") of " + family.owner;
  }
  return std::nullopt;
}

std::string clash(const Named& named, const std::string& other) {
  if (named.input)
    return "\"" + named.file + "\" is " + named.role + " and would be written as " + other +
           "; nothing was run";
  return "\"" + named.file + "\" would be written both as " + named.role + " and as " + other +
         "; nothing was run";
}

void addStudy(const BatchCommand& command, const std::string& base, const std::string& summary,
              std::vector<Named>& named, std::vector<Family>& families) {
  named.push_back({resolved(base), "the base file " + base, true});
  named.push_back({resolved(summary), "the summary of " + base});
  for (const std::string_view suffix : kStudyFigureSuffixes)
    for (const FigureFormat format : command.options.figureFormats)
      named.push_back(
          {resolved(studyFigurePath(summary, suffix, format)), "a study figure of " + base});
  if (command.study.keepRuns)
    families.push_back(
        {stemOf(resultFileFor(base, command.options.outputDir)), base, &command.study});
}

}  // namespace

std::optional<std::string> outputClash(const BatchCommand& command,
                                       const std::vector<std::string>& summaries) {
  std::vector<Named> named;
  std::vector<Family> families;
  for (std::size_t k = 0; k < command.files.size(); ++k) {
    const std::string& file = command.files[k];
    if (command.study.isStudy()) {
      addStudy(command, file, summaries.at(k), named, families);
    } else {
      named.push_back({resolved(file), "the parameter file " + file, true});
      families.push_back({stemOf(resultFileFor(file, command.options.outputDir)), file});
    }
  }
  for (std::size_t a = 0; a < named.size(); ++a) {
    if (isDevice(named[a].file)) continue;
    for (std::size_t b = a + 1; b < named.size(); ++b) {
      if (named[a].file != named[b].file || (named[a].input && named[b].input)) continue;
      return named[b].input ? clash(named[b], named[a].role) : clash(named[a], named[b].role);
    }
    for (const Family& family : families)
      if (auto role = memberRole(named[a].file, family, command.options))
        return clash(named[a], *role);
  }
  return std::nullopt;
}

}  // namespace kvt
