// SPDX-License-Identifier: MIT
// LoadParameterFile on any bytes: never crashes; it either loads (and the record then follows
// the boxes' rules) or reports, and after a report the entries and the record are unchanged.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "files/parameter_file.h"

namespace {

class CountingPrompt : public kvt::UserPrompt {
 public:
  bool question(const std::string&, const std::string&) override { std::abort(); }
  void warning(const std::string&, const std::string& text) override {
    if (text.empty()) std::abort();
    ++warnings;
  }
  int warnings = 0;
};

const std::string& scratchFile() {
  static const std::string path = "/tmp/kvt-fuzz-" + std::to_string(::getpid()) + ".kvt";
  return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::FILE* file = std::fopen(scratchFile().c_str(), "wb");
  if (file == nullptr) std::abort();
  std::fwrite(data, 1, size, file);
  std::fclose(file);

  kvt::AnalysisParameters record;
  kvt::ParameterEntries entries(record);
  entries.loadDefaults();
  const kvt::BoxTexts textsBefore = entries.texts();
  const kvt::AnalysisParameters recordBefore = record;
  kvt::ParameterFileLines lines;
  CountingPrompt prompt;
  const bool loaded = kvt::LoadParameterFile(scratchFile(), entries, lines, prompt);
  if (!loaded) {
    if (prompt.warnings != 1) std::abort();
    if (!(entries.texts() == textsBefore) || !(record == recordBefore)) std::abort();
  } else if (record.resultFilePath != scratchFile()) {
    std::abort();
  }
  return 0;
}
