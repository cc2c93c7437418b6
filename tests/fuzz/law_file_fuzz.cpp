// SPDX-License-Identifier: MIT
// Law files on any bytes, read as a TOML law file or, when the first byte is odd, as a CSV table
// of points: never crashes; a refusal names the file first; what is read is a law that forms.
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <string>

#include "analysis/analysis_error.h"
#include "files/law_file.h"
#include "support/committed_defaults.h"

namespace {

// The input lives in an anonymous in-memory file, reached by its /proc path, so nothing is left
// behind in a temporary folder, not even after a crash.
const std::string& scratchFile(const std::uint8_t* data, std::size_t size) {
  static const int fd = ::memfd_create("kvt-fuzz-law", 0);
  static const std::string path = "/proc/self/fd/" + std::to_string(fd);
  if (fd < 0 || ::ftruncate(fd, 0) != 0) std::abort();
  for (std::size_t done = 0; done < size;) {
    const ssize_t written = ::pwrite(fd, data + done, size - done, static_cast<off_t>(done));
    if (written <= 0) std::abort();
    done += static_cast<std::size_t>(written);
  }
  return path;
}

void checkTable(const kvt::TableEntries& table) {
  for (std::size_t i = 0; i < table.points.size(); ++i)
    if (table.points[i].slip < 0 || table.points[i].stress < 0 ||
        (i > 0 && !(table.points[i].slip > table.points[i - 1].slip)))
      std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const bool csv = size > 0 && (data[0] & 1) != 0;
  const std::string& path = scratchFile(data, size);
  static const kvt::AnalysisParameters parameters = kvt::testing::committedDefaults();
  try {
    if (csv) {
      checkTable(kvt::readLawTable(path));
      return 0;
    }
    const kvt::LawEntries law = kvt::readLawFile(path);
    try {
      // MC2010 entries may still be refused for the case's bar (splitting that cannot govern).
      (void)kvt::formRunLaw(law, parameters);
    } catch (const kvt::ParameterError&) {
      if (!std::holds_alternative<kvt::Mc2010Entries>(law)) std::abort();
    }
  } catch (const kvt::LawFileError& error) {
    if (std::string(error.what()).rfind(path + ": ", 0) != 0) std::abort();
  }
  return 0;
}
