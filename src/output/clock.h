// SPDX-License-Identifier: MIT
#pragma once

namespace kvt {

// A local calendar date and time of day.
struct LocalDateTime {
  int year = 0;
  int month = 0;  // 1 … 12
  int day = 0;
  int hour = 0;  // 0 … 23
  int minute = 0;
  int second = 0;
};

// Where the result file takes its date and time from; tests inject a fixed one.
class Clock {
 public:
  virtual ~Clock() = default;
  virtual LocalDateTime now() const = 0;
};

// The system's local time.
class SystemClock final : public Clock {
 public:
  LocalDateTime now() const override;
};

}  // namespace kvt
