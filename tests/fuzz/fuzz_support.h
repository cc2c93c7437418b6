// SPDX-License-Identifier: MIT
// Helpers shared by the fuzz targets: any bit pattern as a number, a folder for files they write,
// and a reading of CR LF lines of their own.
#pragma once

#include <fuzzer/FuzzedDataProvider.h>
#include <unistd.h>

#include <bit>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace kvt::fuzzing {

// Every bit pattern: NaNs, infinities, denormals and negative zero included.
inline double anyDouble(FuzzedDataProvider& in) {
  return std::bit_cast<double>(in.ConsumeIntegral<std::uint64_t>());
}
inline float anyFloat(FuzzedDataProvider& in) {
  return std::bit_cast<float>(in.ConsumeIntegral<std::uint32_t>());
}

// A folder of the fuzz run's own, removed at the end. It is
// never destroyed itself, so that it is still there for the removal at exit.
inline const std::string& scratchFolder() {
  static const std::string& folder = *[] {
    // In memory where the system offers it: a disk's file system may flush a file truncated
    // and written again at every close, which would slow each input many times over.
    const std::filesystem::path base = std::filesystem::is_directory("/dev/shm")
                                           ? std::filesystem::path("/dev/shm")
                                           : std::filesystem::temp_directory_path();
    auto* path = new std::string((base / "kvt-fuzz-XXXXXX").string());
    if (::mkdtemp(path->data()) == nullptr) std::abort();
    return path;
  }();
  static const bool removedAtExit =
      std::atexit([] { std::filesystem::remove_all(scratchFolder()); }) == 0;
  (void)removedAtExit;
  return folder;
}

// The lines of a text in which every line, the last included, ends with CR LF; aborts on a
// bare CR or LF or an unended last line.
inline std::vector<std::string_view> crLfLines(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    const std::size_t end = text.find("\r\n");
    if (end == std::string_view::npos) std::abort();
    const std::string_view line = text.substr(0, end);
    if (line.find_first_of("\r\n") != std::string_view::npos) std::abort();
    lines.push_back(line);
    text.remove_prefix(end + 2);
  }
  return lines;
}

}  // namespace kvt::fuzzing
