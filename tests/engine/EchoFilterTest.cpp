#include "engine/EchoFilter.h"

#include <gtest/gtest.h>

namespace pager {
namespace {

TEST(EchoFilterTest, RemovesEachWrittenLineOnceAndKeepsTheTerminalsOwnText) {
  EchoFilter filter;
  filter.Wrote("ID\r");
  filter.Wrote("BUSY today\r");
  EXPECT_EQ(filter.Clean("ID\r\nEnter message:BUSY today\r\n\r\nID="), "\nEnter message:\n\r\nID=");
  EXPECT_EQ(filter.Pending(), 0u);
  EXPECT_EQ(filter.Clean("ID\r"), "ID\r") << "nothing recorded any more";
}

TEST(EchoFilterTest, LineWhoseEchoComesLateIsRemovedFromTheNextReadThenForgotten) {
  EchoFilter filter;
  filter.Wrote("NO CARRIER\r");
  EXPECT_EQ(filter.Clean(""), "");
  EXPECT_EQ(filter.Clean("NO CARRIER\r\n"), "\n");
  filter.Wrote("BUSY\r");
  filter.Clean("");
  filter.Clean("");
  EXPECT_EQ(filter.Clean("BUSY\r\n"), "BUSY\r\n");
}

}  // namespace
}  // namespace pager
