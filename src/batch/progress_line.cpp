// SPDX-License-Identifier: MIT
#include "progress_line.h"

#include <unistd.h>

#include <cmath>

#include "params/format_number.h"
#include "terminal_text.h"

namespace kvt {

namespace {

std::string clockText(double seconds) {
  const auto whole = static_cast<long long>(std::llround(seconds));
  const long long hours = whole / 3600, minutes = whole / 60 % 60, rest = whole % 60;
  const auto two = [](long long n) { return (n < 10 ? "0" : "") + std::to_string(n); };
  return (hours > 0 ? std::to_string(hours) + ":" + two(minutes) : std::to_string(minutes)) + ":" +
         two(rest);
}

}  // namespace

ProgressLine::ProgressLine(std::FILE* stream, std::string label, std::uint64_t total,
                           std::string unit)
    : stream_(stream),
      enabled_(isatty(fileno(stream)) != 0),
      label_(terminalText(label)),
      total_(total),
      unit_(std::move(unit)) {}

ProgressLine::~ProgressLine() {
  clear();
}

std::string ProgressLine::text(const std::string& label, std::uint64_t done, std::uint64_t total,
                               const std::string& unit, double seconds, const std::string& detail) {
  return label + ": " + countText(done, total, unit, seconds, detail);
}

std::string ProgressLine::countText(std::uint64_t done, std::uint64_t total,
                                    const std::string& unit, double seconds,
                                    const std::string& detail) {
  std::string line = std::to_string(done) + "/" + std::to_string(total) + " " + unit;
  if (!detail.empty()) line += ", " + detail;
  if (done > 0 && seconds > 0) {
    const double rate = static_cast<double>(done) / seconds;
    line += ", " + formatNumber(rate, rate < 10 ? "0.00" : "0.0") + " " + unit + "/s, " +
            clockText(static_cast<double>(total - done) / rate) + " left";
  }
  return line;
}

void ProgressLine::update(std::uint64_t done) {
  done_ = done;
  if (!enabled_) return;
  const Clock::time_point now = Clock::now();
  if (now - start_ < std::chrono::seconds(1) || now - lastDrawn_ < std::chrono::milliseconds(200))
    return;
  lastDrawn_ = now;
  const double seconds = std::chrono::duration<double>(now - start_).count();
  // Back to the start of the line, the text, and the rest of the old line erased.
  std::fprintf(stream_, "\r%s\033[K", text(label_, done, total_, unit_, seconds, detail_).c_str());
  std::fflush(stream_);
  shown_ = true;
}

void ProgressLine::clear() {
  if (!shown_) return;
  std::fputs("\r\033[K", stream_);
  std::fflush(stream_);
  shown_ = false;
  lastDrawn_ = {};
}

}  // namespace kvt
