#include "ProcessUsage.h"

#include <ctime>
#include <fstream>
#include <string>

namespace window_bench {

namespace {
double Milliseconds(clockid_t clock) {
  timespec now{};
  clock_gettime(clock, &now);
  return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}
}  // namespace

Usage Now() { return {Milliseconds(CLOCK_PROCESS_CPUTIME_ID), Milliseconds(CLOCK_MONOTONIC)}; }

std::int64_t ResidentKiB() {
  std::ifstream status("/proc/self/status");
  std::string key;
  while (status >> key) {
    if (key == "VmRSS:") {
      std::int64_t kib = 0;
      status >> kib;
      return kib;
    }
    status.ignore(4096, '\n');
  }
  return 0;
}

}  // namespace window_bench
