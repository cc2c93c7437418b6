// SPDX-License-Identifier: MIT
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "support/file_bytes.h"
#include "support/first_difference.h"

namespace kvt::testing {

// `actual` against the golden file at `path`, byte for byte. With KVT_REGENERATE_GOLDEN=1 in the
// environment the golden file is written from `actual` instead: the way to accept an intended
// change of the output (see tests/output/golden/README.md).
inline ::testing::AssertionResult matchesGoldenFile(const std::string& actual,
                                                    const std::string& path) {
  if (const char* regenerate = std::getenv("KVT_REGENERATE_GOLDEN");
      regenerate != nullptr && std::string(regenerate) == "1") {
    writeBytes(path, actual);
    std::printf("regenerated %s\n", path.c_str());
    return ::testing::AssertionSuccess();
  }
  const std::string expected = readBytes(path);
  if (expected.empty()) return ::testing::AssertionFailure() << "missing golden file " << path;
  const std::string difference = firstDifference(expected, actual);
  if (difference.empty()) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure()
         << path << ", " << difference
         << "\nIf the change is intended, regenerate: KVT_REGENERATE_GOLDEN=1 ctest --preset dev";
}

}  // namespace kvt::testing
