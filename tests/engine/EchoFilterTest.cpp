#include "engine/EchoFilter.h"

#include <gtest/gtest.h>

namespace pager {
namespace {

// Lines written at 0 are awaited until the first read at or after 1000.
constexpr std::int64_t kDue = 1000;

TEST(EchoFilterTest, OnlyWholeLinesMatchingALineWrittenAreTakenOut) {
  EchoFilter filter;
  filter.Wrote("R\r", kDue);
  EXPECT_EQ(filter.Clean("\r\nNO CARRIER\r\n", 10), "\r\nNO CARRIER\r\n") << "a one-letter page";
  filter.Wrote("d\r", kDue);
  EXPECT_EQ(filter.Clean("\r\nPager ID not valid\r\nEnter pager number:", 20),
            "\r\nPager ID not valid\r\nEnter pager number:");
  filter.Wrote("ID\r", kDue);
  EXPECT_EQ(filter.Clean("\r\nID=", 30), "\r\nID=");

  // The echo begins the first read after the write, also behind a prompt read before it, and
  // takes its line end (CR, LF or CR LF) with it; the answer after it stays.
  filter.Wrote("BUSY today\r", kDue);
  EXPECT_EQ(filter.Clean("BUSY today\r\n\r\nPage accepted\r\nBUSY today\n", 40), "\r\nPage accepted\r\nBUSY today\n")
      << "the same line again is the terminal's own";
  EXPECT_EQ(filter.Pending(), 0u);

  // Behind text of the same read it is part of another line.
  filter.Wrote("NO CARRIER\r", kDue);
  EXPECT_EQ(filter.Clean("Enter pager number:NO CARRIER\r\n", 50), "Enter pager number:NO CARRIER\r\n");

  // The line is seven-bit: the eighth bit of what was written does not come back.
  filter.Clear();
  filter.Wrote("R\xC3\xA9union invalid\r", kDue);
  EXPECT_EQ(filter.Clean("RC)union invalid\r\n\r\nPage accepted", 60), "\r\nPage accepted");
}

TEST(EchoFilterTest, EchoesComeInTheOrderWrittenOneLineOfTheTextAtATime) {
  EchoFilter filter;
  filter.Wrote("\r\r", kDue);  // empty lines hold no keyword and are not awaited
  EXPECT_EQ(filter.Pending(), 0u);
  filter.Wrote("first\rsecond\r", kDue);
  filter.Wrote("third\r", kDue);
  // "second" came back: "first" never will.
  EXPECT_EQ(filter.Clean("second\r\nfirst\r\n", 10), "first\r\n");
  EXPECT_EQ(filter.Pending(), 1u);
  EXPECT_EQ(filter.Clean("third\r", 20), "");
}

TEST(EchoFilterTest, AnEchoSplitOverTwoReadsIsHeldOnlyWhileItCanStillBeOne) {
  EchoFilter filter;
  filter.Wrote("text 1\r", kDue);
  EXPECT_EQ(filter.Clean("tex", 10), "");
  EXPECT_EQ(filter.Clean("", 2000), "") << "an echo coming in outlasts its time";
  EXPECT_EQ(filter.Clean("t 1\r\nPage accepted", 3000), "Page accepted");

  filter.Wrote("BUSY hour\r", kDue);
  EXPECT_EQ(filter.Clean("BUSY", 10), "");
  EXPECT_EQ(filter.Clean("\r\nNO CARRIER", 20), "BUSY\r\nNO CARRIER") << "given back as soon as it is no echo";

  filter.Wrote("NO CARRIER\r", kDue);
  EXPECT_EQ(filter.Clean("ID=", 30), "ID=");
  EXPECT_EQ(filter.Clean("NO", 40), "NO") << "not at the start of a line";
}

TEST(EchoFilterTest, ALineNotEchoedIsForgottenAfterTheReadThatCouldHoldItsEcho) {
  EchoFilter filter;
  filter.Wrote("NO CARRIER\r", kDue);
  EXPECT_EQ(filter.Clean("", 5), "") << "read before the line could come back";
  EXPECT_EQ(filter.Pending(), 1u);
  EXPECT_EQ(filter.Clean("", kDue), "");
  EXPECT_EQ(filter.Pending(), 0u);
  EXPECT_EQ(filter.Clean("\r\nNO CARRIER\r\n", 2000), "\r\nNO CARRIER\r\n");

  filter.Wrote("BUSY\r", 3000);
  filter.Clean("BUS", 2500);
  filter.Clear();  // a new call
  EXPECT_EQ(filter.Clean("Y\r\nBUSY\r\n", 2600), "Y\r\nBUSY\r\n");
}

}  // namespace
}  // namespace pager
