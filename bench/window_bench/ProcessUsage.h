// What the process costs: CPU time of all its threads, wall time and resident memory.
#pragma once

#include <cstdint>

namespace window_bench {

struct Usage {
  double cpuMs = 0;   // CPU time of the process so far, all threads, user and system
  double wallMs = 0;  // steady clock
};

Usage Now();
// Resident set size in KiB, from /proc/self/status (VmRSS); 0 when unreadable.
std::int64_t ResidentKiB();

}  // namespace window_bench
