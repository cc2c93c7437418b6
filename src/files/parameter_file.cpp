// SPDX-License-Identifier: MIT
#include "parameter_file.h"

#include <sys/stat.h>

#include <optional>
#include <variant>
#include <vector>

#include "atomic_write.h"
#include "cp932.h"
#include "first_lines.h"
#include "full_path.h"
#include "params/partial_entries.h"

namespace kvt {

namespace {

// The boxes in file order; 0 stands for the "Detail output" flag on line 7.
constexpr int kFileOrder[ParameterFileLines::kCount] = {1,  2,  3,  4,  5,  6,  0,  7,  8,  9,
                                                        10, 11, 12, 13, 14, 15, 16, 17, 21, 22};
constexpr int kDeltaLBox = 4;
constexpr std::size_t kDeltaLLine = 4;

bool isOrdinaryFile(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

std::string fileBytes(const ParameterEntries& entries) {
  std::string bytes;
  for (const int box : kFileOrder) {
    // A character the code page cannot hold is written as "?", as the Windows program does.
    bytes +=
        box == 0 ? (entries.record().detailOutput != 0 ? "Y" : "N") : toCp932(entries.text(box));
    bytes += "\r\n";
  }
  return bytes;
}

// Far beyond any parameter file (20 short lines; a long comment of a megabyte still fits), and
// small enough that a file chosen by mistake is refused at once.
constexpr std::size_t kReadLimit = 4 * 1024 * 1024;

}  // namespace

SaveOutcome SaveParameterFile(const std::string& path, ParameterEntries& entries,
                              UserPrompt& prompt) {
  if (isOrdinaryFile(path) && !prompt.question(kOverwriteTitle, kOverwriteQuestion))
    return SaveOutcome::Declined;
  try {
    writeFileAtomically(path, fileBytes(entries));
  } catch (const FileWriteError& error) {
    // The system's error number as the Windows program reported it, then the file and the reason.
    prompt.warning(kSaveFailureTitle,
                   kSaveFailureText + std::to_string(error.errorNumber()) + "\n" + error.what());
    return SaveOutcome::Failed;
  }
  entries.record().resultFilePath = path;
  entries.rememberFile(path);
  return SaveOutcome::Saved;
}

bool LoadParameterFile(const std::string& path, ParameterEntries& entries,
                       ParameterFileLines& lines, UserPrompt& prompt) {
  const auto read = readFirstLines(path, ParameterFileLines::kCount, kReadLimit);
  const std::string named = "The parameter file \"" + fullPath(path) + "\"";
  if (const auto* failure = std::get_if<LinesUnreadable>(&read)) {
    prompt.warning(kLoadFailureTitle, named + " could not be read: " + failure->reason +
                                          ". The entries are unchanged.");
    return false;
  }
  const auto& fileLines = std::get<std::vector<std::string>>(read);
  if (fileLines.size() < ParameterFileLines::kCount) {
    prompt.warning(kLoadFailureTitle, named + " ends after " + std::to_string(fileLines.size()) +
                                          (fileLines.size() == 1 ? " line" : " lines") +
                                          "; a parameter file has 20. The entries are "
                                          "unchanged.");
    return false;
  }
  ParameterFileLines fresh;
  BoxTexts fileTexts;
  for (int k = 1; k <= ParameterFileLines::kCount; ++k) {
    std::string& line = fresh.line[static_cast<std::size_t>(k)];
    line = fromCp932(fileLines[static_cast<std::size_t>(k - 1)]);
    if (const int box = kFileOrder[k - 1]; box != 0) fileTexts[box] = line;
  }
  // A CSV file or a report given a parameter file's name would replace every entry with zeros.
  if (!looksLikeParameterEntries(fileTexts) &&
      !prompt.question(kLoadFailureTitle, "The file \"" + fullPath(path) +
                                              "\" does not look like a parameter file. Load it "
                                              "anyway?"))
    return false;
  lines = std::move(fresh);

  // Every line is applied, even after a rule's numeric error, so that the boxes show the whole
  // file; the first error is reported once at the end.
  std::optional<NumericError> firstError;
  for (int k = 1; k <= ParameterFileLines::kCount; ++k) {
    const std::string& text = lines.line[static_cast<std::size_t>(k)];
    const int box = kFileOrder[k - 1];
    if (box == 0) {
      entries.setDetailOutput(text == "Y" || text == "y");
      continue;
    }
    if (auto error = entries.setText(box, text); error && !firstError) firstError = error;
  }
  // The db line's rule has rewritten Δl with db/2 when db changed; the file's own Δl is what
  // was saved, so it goes back into its box. Otherwise the same file would run with a different
  // Δl depending on the db shown before it was loaded.
  entries.setText(kDeltaLBox, lines.line[kDeltaLLine]);
  entries.record().resultFilePath = path;
  entries.rememberFile(path);
  if (firstError)
    prompt.warning(kLoadFailureTitle, named + " was loaded, but an entry could not be converted: " +
                                          firstError->message);
  return true;
}

}  // namespace kvt
