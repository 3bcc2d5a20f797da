#include "platform/vb/Int16.h"

#include <gtest/gtest.h>

#include "support/ErrorNumber.h"

namespace vb {
namespace {

using testing_support::ErrorOf;

TEST(Int16, HoldsTheWholeSixteenBitRange) {
  EXPECT_EQ(Int16().value(), 0);
  EXPECT_EQ(Int16(32767).value(), 32767);
  EXPECT_EQ(Int16(-32768).value(), -32768);
  EXPECT_EQ(ErrorOf([] { Int16 x(32768); }), 6);
  EXPECT_EQ(ErrorOf([] { Int16 x(-32769); }), 6);
  EXPECT_EQ(ErrorOf([] { Int16 x(1LL << 40); }), 6);
}

TEST(Int16, ArithmeticLeavingTheRangeRaises6AndKeepsTheValue) {
  Int16 counter = 32766;
  ++counter;
  EXPECT_EQ(counter, 32767);
  EXPECT_EQ(ErrorOf([&] { ++counter; }), 6);
  EXPECT_EQ(counter, 32767);
  Int16 low = -32767;
  --low;
  EXPECT_EQ(ErrorOf([&] { --low; }), 6);
  EXPECT_EQ(low, -32768);
  EXPECT_EQ(ErrorOf([&] { low -= 1; }), 6);
  EXPECT_EQ(ErrorOf([] { (void)(Int16(20000) + Int16(20000)); }), 6);
  EXPECT_EQ(ErrorOf([] { (void)(Int16(-20000) - Int16(20000)); }), 6);
  EXPECT_EQ(Int16(-20000) - Int16(-20000), 0);
  EXPECT_LT(Int16(-1), Int16(0));
}

}  // namespace
}  // namespace vb
