// Wall-clock timing of benchmark work.
#pragma once

#include <chrono>
#include <functional>

namespace bench {

// The seconds `work` takes on the steady clock.
inline double SecondsOf(const std::function<void()>& work) {
  const auto begin = std::chrono::steady_clock::now();
  work();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
}

}  // namespace bench
