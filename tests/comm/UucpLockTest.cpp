#include "platform/comm/UucpLock.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace comm::detail {
namespace {

TEST(UucpLock, ReadsTheOwnerAsTextOrAsABinaryInt) {
  EXPECT_EQ(LockOwner("      4242\n"), 4242);
  EXPECT_EQ(LockOwner("17"), 17);
  std::int32_t binary = 31337;
  EXPECT_EQ(LockOwner(std::string(reinterpret_cast<char*>(&binary), sizeof binary)), 31337);
}

TEST(UucpLock, ContentNamingNoProcessIsNoOwner) {
  for (const std::string& content :
       {std::string(), std::string("\n"), std::string("pid"), std::string("0\n"),
        std::string("-5\n"), std::string("99999999999\n"), std::string("\0\0\0\0", 4),
        std::string("\x01\x02\x03", 3)}) {
    EXPECT_FALSE(LockOwner(content).has_value());
  }
}

}  // namespace
}  // namespace comm::detail
