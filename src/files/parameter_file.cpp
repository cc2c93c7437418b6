// SPDX-License-Identifier: MIT
#include "parameter_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <optional>
#include <string_view>
#include <vector>

#include "atomic_write.h"
#include "cp932.h"

namespace kvt {

namespace {

// The boxes in file order; 0 stands for the "Detail output" flag on line 7.
constexpr int kFileOrder[ParameterFileLines::kCount] = {1,  2,  3,  4,  5,  6,  0,  7,  8,  9,
                                                        10, 11, 12, 13, 14, 15, 16, 17, 21, 22};

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

struct ReadFailure {
  std::string reason;
};

// The file up to the end of its 20th line (or to its end, when shorter), or why it could not be
// read. What follows is never used, and a file chosen by mistake may be huge or, like a pipe,
// may not end at all, so reading stops there.
std::optional<std::string> readLines(const std::string& path, ReadFailure& failure) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) {
    failure.reason = std::strerror(errno);
    return std::nullopt;
  }
  if (S_ISDIR(info.st_mode)) {
    failure.reason = std::strerror(EISDIR);
    return std::nullopt;
  }
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    failure.reason = std::strerror(errno);
    return std::nullopt;
  }
  std::string bytes;
  std::size_t lineEnds = 0;
  bool afterCr = false;  // a CR LF may be split between two reads
  char buffer[4096];
  while (lineEnds < ParameterFileLines::kCount) {
    const ssize_t got = ::read(fd, buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) {
      failure.reason = std::strerror(errno);
      ::close(fd);
      return std::nullopt;
    }
    if (got == 0) break;
    for (const char c : std::string_view(buffer, static_cast<std::size_t>(got))) {
      if (c == '\n' && afterCr) {
        afterCr = false;
        continue;
      }
      afterCr = c == '\r';
      if (c == '\r' || c == '\n') ++lineEnds;
    }
    bytes.append(buffer, static_cast<std::size_t>(got));
  }
  ::close(fd);
  return bytes;
}

// Splits at CR LF, LF or CR. A last line without an end still counts; nothing after the end of
// the last line makes another.
std::vector<std::string_view> splitLines(std::string_view bytes, std::size_t wanted) {
  std::vector<std::string_view> lines;
  std::size_t start = 0;
  while (start < bytes.size() && lines.size() < wanted) {
    const std::size_t end = bytes.find_first_of("\r\n", start);
    if (end == std::string_view::npos) {
      lines.push_back(bytes.substr(start));
      break;
    }
    lines.push_back(bytes.substr(start, end - start));
    start = end + (bytes.compare(end, 2, "\r\n") == 0 ? 2 : 1);
  }
  return lines;
}

}  // namespace

SaveOutcome SaveParameterFile(const std::string& path, ParameterEntries& entries,
                              UserPrompt& prompt) {
  if (isOrdinaryFile(path) && !prompt.question(kOverwriteTitle, kOverwriteQuestion))
    return SaveOutcome::Declined;
  try {
    writeFileAtomically(path, fileBytes(entries));
  } catch (const FileWriteError& error) {
    prompt.warning(kSaveFailureTitle, kSaveFailureText + std::to_string(error.errorNumber()));
    return SaveOutcome::Failed;
  }
  entries.record().resultFilePath = path;
  return SaveOutcome::Saved;
}

bool LoadParameterFile(const std::string& path, ParameterEntries& entries,
                       ParameterFileLines& lines, UserPrompt& prompt) {
  ReadFailure failure;
  const std::optional<std::string> bytes = readLines(path, failure);
  if (!bytes) {
    prompt.warning(kLoadFailureTitle, "The parameter file \"" + path + "\" could not be read: " +
                                          failure.reason + ". The entries are unchanged.");
    return false;
  }
  const auto read = splitLines(*bytes, ParameterFileLines::kCount);
  if (read.size() < ParameterFileLines::kCount) {
    prompt.warning(kLoadFailureTitle, "The parameter file \"" + path + "\" ends after " +
                                          std::to_string(read.size()) +
                                          (read.size() == 1 ? " line" : " lines") +
                                          "; a parameter file has 20. The entries are "
                                          "unchanged.");
    return false;
  }
  for (int k = 1; k <= ParameterFileLines::kCount; ++k)
    lines.line[static_cast<std::size_t>(k)] = fromCp932(read[static_cast<std::size_t>(k - 1)]);

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
  entries.record().resultFilePath = path;
  if (firstError)
    prompt.warning(kLoadFailureTitle, "The parameter file \"" + path +
                                          "\" was loaded, but an entry could not be converted: " +
                                          firstError->message);
  return true;
}

}  // namespace kvt
