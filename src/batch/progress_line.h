// SPDX-License-Identifier: MIT
#pragma once

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <string>

namespace kvt {

// A single line on a terminal that says how far a long job has come: "beam1.kvt: 37/200 runs,
// 12.3 runs/s, 0:14 left". It appears only once the job has taken a second, is redrawn at most
// five times a second, and is wiped when the job ends, so short jobs and logs stay clean. When
// the stream is not a terminal it writes nothing at all.
class ProgressLine {
 public:
  ProgressLine(std::FILE* stream, std::string label, std::uint64_t total, std::string unit);
  ~ProgressLine();
  ProgressLine(const ProgressLine&) = delete;
  ProgressLine& operator=(const ProgressLine&) = delete;

  void update(std::uint64_t done);
  void redraw() { update(done_); }
  // What the line adds after the count, for a job whose items are long ("37 lengths run").
  void setDetail(std::string detail) { detail_ = std::move(detail); }
  // Wipes the line, for instance before another line is printed.
  void clear();

  // The text of the line, without the terminal's control characters.
  static std::string text(const std::string& label, std::uint64_t done, std::uint64_t total,
                          const std::string& unit, double seconds, const std::string& detail = "");
  // The same without the label, for a window: "37/200 runs, 12.3 runs/s, 0:14 left".
  static std::string countText(std::uint64_t done, std::uint64_t total, const std::string& unit,
                               double seconds, const std::string& detail = "");

 private:
  using Clock = std::chrono::steady_clock;
  std::FILE* stream_;
  bool enabled_;
  std::string label_;
  std::uint64_t total_;
  std::string unit_;
  std::string detail_;
  std::uint64_t done_ = 0;
  Clock::time_point start_ = Clock::now();
  Clock::time_point lastDrawn_{};
  bool shown_ = false;
};

}  // namespace kvt
