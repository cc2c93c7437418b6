// SPDX-License-Identifier: MIT
#include "ordered_runs.h"

#include <sched.h>

namespace kvt {

unsigned everyCore() {
  // The affinity mask, not the machine's core count: a job started by a scheduler (taskset,
  // Slurm, a container) may use only some of the cores.
  cpu_set_t cores;
  CPU_ZERO(&cores);
  if (sched_getaffinity(0, sizeof cores, &cores) == 0 && CPU_COUNT(&cores) > 0)
    return static_cast<unsigned>(CPU_COUNT(&cores));
  return std::max(std::thread::hardware_concurrency(), 1u);
}

}  // namespace kvt
