// SPDX-License-Identifier: MIT
// LoadParameterFile on any bytes: never crashes; it loads exactly when the bytes hold 20 lines
// (by a reading of its own: when one of the first 20 lines, each ended by CR LF, CR or LF, ends
// with CR LF, only CR LF ends a line; an unended last line counts), and then every box shows its
// line as it stands, except "Δl", which a changed "db" line rewrites. Otherwise it reports once,
// and the entries and the record are unchanged.
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "files/cp932.h"
#include "files/parameter_file.h"

namespace {

class CountingPrompt : public kvt::UserPrompt {
 public:
  // Only "does not look like a parameter file; load it anyway?" is asked: yes, as kvt-batch says.
  bool question(const std::string&, const std::string&) override { return true; }
  void warning(const std::string&, const std::string& text) override {
    if (text.empty()) std::abort();
    ++warnings;
  }
  int warnings = 0;
};

std::vector<std::string> linesOf(std::string_view bytes, bool crLfOnly, bool* sawCrLf) {
  std::vector<std::string> lines;
  std::string line;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const bool crLf = bytes.substr(i, 2) == "\r\n";
    if (crLfOnly ? !crLf : bytes[i] != '\r' && bytes[i] != '\n') {
      line += bytes[i];
      continue;
    }
    if (crLf) {
      ++i;
      if (sawCrLf != nullptr && lines.size() < 20) *sawCrLf = true;
    }
    lines.push_back(line);
    line.clear();
  }
  if (!line.empty()) lines.push_back(line);
  return lines;
}

std::vector<std::string> linesOf(std::string_view bytes) {
  bool crLf = false;
  const auto anyEnd = linesOf(bytes, false, &crLf);
  return crLf ? linesOf(bytes, true, nullptr) : anyEnd;
}

// Boxes in file order; 0 is the "Detail output" line.
constexpr int kFileOrder[20] = {1,  2,  3,  4,  5,  6,  0,  7,  8,  9,
                                10, 11, 12, 13, 14, 15, 16, 17, 21, 22};
constexpr int kDeltaLBox = 4;
constexpr int kDbBox = 10;

// The input lives in an anonymous in-memory file, reached by its /proc path: the loader reads
// it like any file on disk, and nothing is left behind in a temporary folder, not even after a
// crash.
int scratchDescriptor() {
  static const int fd = ::memfd_create("kvt-fuzz.kvt", 0);
  if (fd < 0) std::abort();
  return fd;
}

const std::string& scratchFile() {
  static const std::string path = "/proc/self/fd/" + std::to_string(scratchDescriptor());
  return path;
}

void writeScratch(const std::uint8_t* data, std::size_t size) {
  const int fd = scratchDescriptor();
  if (::ftruncate(fd, 0) != 0) std::abort();
  std::size_t done = 0;
  while (done < size) {
    const ssize_t written = ::pwrite(fd, data + done, size - done, static_cast<off_t>(done));
    if (written <= 0) std::abort();
    done += static_cast<std::size_t>(written);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  writeScratch(data, size);

  kvt::AnalysisParameters record;
  kvt::ParameterEntries entries(record);
  entries.loadDefaults();
  const kvt::BoxTexts textsBefore = entries.texts();
  const kvt::AnalysisParameters recordBefore = record;
  kvt::ParameterFileLines lines;
  CountingPrompt prompt;
  const bool loaded = kvt::LoadParameterFile(scratchFile(), entries, lines, prompt);
  const auto expected = linesOf(std::string_view(reinterpret_cast<const char*>(data), size));
  if (loaded != (expected.size() >= 20)) std::abort();
  if (!loaded) {
    if (prompt.warnings != 1) std::abort();
    if (!(entries.texts() == textsBefore) || !(record == recordBefore)) std::abort();
    return 0;
  }
  if (record.resultFilePath != scratchFile()) std::abort();
  const std::string dbBefore = textsBefore[kDbBox];
  for (int k = 0; k < 20; ++k) {
    const std::string line = kvt::fromCp932(expected[static_cast<std::size_t>(k)]);
    if (lines.line[static_cast<std::size_t>(k + 1)] != line) std::abort();
    const int box = kFileOrder[k];
    if (box == 0) {
      if ((record.detailOutput != 0) != (line == "Y" || line == "y")) std::abort();
    } else if (box != kDeltaLBox || kvt::fromCp932(expected[10]) == dbBefore) {
      if (entries.text(box) != line) std::abort();
    }
  }
  return 0;
}
