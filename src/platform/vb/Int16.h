// A 16-bit signed counter with overflow checking.
//
// Every counter the handlers share (pending messages, ticks, ID prompts) is a 16-bit signed
// integer, and leaving its range is a run-time error (6, "Overflow"), not a wrap-around. Making
// the value and every arithmetic result checked keeps that rule in one place.
#pragma once

#include <compare>
#include <cstdint>

#include "platform/vb/RuntimeError.h"

namespace vb {

class Int16 {
 public:
  static constexpr int kMin = -32768;
  static constexpr int kMax = 32767;

  constexpr Int16() = default;
  // Raises 6 when value lies outside the 16-bit range.
  Int16(long long value) : value_(Check(value)) {}  // NOLINT(google-explicit-constructor)

  int value() const { return value_; }

  Int16& operator+=(Int16 other) { value_ = Check(static_cast<long long>(value_) + other.value_); return *this; }
  Int16& operator-=(Int16 other) { value_ = Check(static_cast<long long>(value_) - other.value_); return *this; }
  Int16& operator++() { return *this += 1; }
  Int16& operator--() { return *this -= 1; }

  friend Int16 operator+(Int16 a, Int16 b) { return a += b; }
  friend Int16 operator-(Int16 a, Int16 b) { return a -= b; }
  friend bool operator==(Int16 a, Int16 b) { return a.value_ == b.value_; }
  friend std::strong_ordering operator<=>(Int16 a, Int16 b) { return a.value_ <=> b.value_; }

 private:
  static std::int16_t Check(long long value) {
    if (value < kMin || value > kMax) Raise(err::kOverflow);
    return static_cast<std::int16_t>(value);
  }

  std::int16_t value_ = 0;
};

}  // namespace vb
