// SPDX-License-Identifier: MIT
#pragma once

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "batch/batch_command_line.h"
#include "batch/batch_job.h"
#include "support/fixed_clock.h"
#include "support/temp_dir.h"

namespace kvt::testing {

inline std::string example(const std::string& name) {
  const char* data = std::getenv("KVT_TEST_DATA");
  return std::string(data != nullptr ? data : ".") + "/../../examples/" + name;
}

inline std::string contents(std::FILE* file) {
  std::rewind(file);
  std::string text;
  for (int c; (c = std::fgetc(file)) != EOF;)
    text += static_cast<char>(c);
  std::fclose(file);
  return text;
}

struct Job {
  int status = 0;
  std::string out, err;
};

// kvt-batch with these arguments, the clock fixed.
inline Job batch(std::vector<std::string> args) {
  BatchCommand command;
  try {
    command = parseBatchCommandLine(args);
  } catch (const UsageError& error) {
    return {2, "", error.what()};
  }
  std::FILE* out = std::tmpfile();
  std::FILE* err = std::tmpfile();
  const FixedClock clock;
  Job job;
  job.status = runBatchCommand(command, clock, out, err);
  job.out = contents(out);
  job.err = contents(err);
  return job;
}

// A temporary folder holding the default example as beam1.kvt.
struct StudyFolder {
  StudyFolder() : base(dir.file("beam1.kvt")) {
    std::filesystem::copy_file(example("default.kvt"), base);
  }
  TempDir dir;
  std::string base;
};

}  // namespace kvt::testing
