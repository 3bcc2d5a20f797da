// Counters that are shown or compared but must never stop the engine: at the 16-bit limit they
// stay at the limit instead of raising an overflow.
#pragma once

#include "platform/vb/Int16.h"

namespace pager {

inline void CountUp(vb::Int16& counter) {
  if (counter.value() < vb::Int16::kMax) ++counter;
}

inline void CountDown(vb::Int16& counter) {
  if (counter.value() > vb::Int16::kMin) --counter;
}

}  // namespace pager
