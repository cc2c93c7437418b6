// SPDX-License-Identifier: MIT
#pragma once

#include "output/clock.h"

namespace kvt::testing {

// A clock that always reads 7 December 2026, 13:05:42.
class FixedClock final : public Clock {
 public:
  LocalDateTime now() const override { return {2026, 12, 7, 13, 5, 42}; }
};

}  // namespace kvt::testing
