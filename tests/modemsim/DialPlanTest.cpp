#include "modem-sim/DialPlan.h"

#include <gtest/gtest.h>

#include <stdexcept>

using modemsim::DialOutcome;
using modemsim::DialPlan;
using modemsim::ParseBehaviour;

TEST(DialBehaviour, ReadsEachFormWithItsDefaults) {
  auto connect = ParseBehaviour("connect");
  EXPECT_EQ(connect.outcome, DialOutcome::Connect);
  EXPECT_EQ(connect.delayMs, 2000);
  EXPECT_EQ(connect.speed, "2400");

  auto fast = ParseBehaviour("connect:0.5:9600");
  EXPECT_EQ(fast.delayMs, 500);
  EXPECT_EQ(fast.speed, "9600");
  EXPECT_EQ(ParseBehaviour("connect:1:").speed, "");

  auto drop = ParseBehaviour("drop:20");
  EXPECT_EQ(drop.outcome, DialOutcome::ConnectThenDrop);
  EXPECT_EQ(drop.dropAfterMs, 20000);
  EXPECT_EQ(drop.delayMs, 2000);

  EXPECT_EQ(ParseBehaviour("busy").delayMs, 2000);
  EXPECT_EQ(ParseBehaviour("nocarrier").delayMs, 5000);
  EXPECT_EQ(ParseBehaviour("nodialtone:3").delayMs, 3000);
  EXPECT_EQ(ParseBehaviour("silent").outcome, DialOutcome::Silent);
}

TEST(DialBehaviour, RefusesWhatItCannotRead) {
  for (const char* bad : {"", "ring", "busy:x", "busy:-1", "busy:1:2", "silent:3", "drop", "drop::1", "connect:1e3"}) {
    EXPECT_THROW(ParseBehaviour(bad), std::invalid_argument) << bad;
  }
}

TEST(DialBehaviour, DescriptionReadsBackTheSame) {
  for (const char* text : {"connect:2:2400", "drop:20:1.5:9600", "busy:0.25", "nodialtone:1", "silent"}) {
    EXPECT_EQ(modemsim::DescribeBehaviour(ParseBehaviour(text)), text);
  }
}

class DialPlanMatching : public ::testing::Test {
 protected:
  void SetUp() override {
    plan.Add("5551234", ParseBehaviour("busy"));
    plan.Add("1234", ParseBehaviour("nodialtone"));
    plan.Add("555-9999", ParseBehaviour("silent"));
    plan.Add("#31#", ParseBehaviour("nocarrier"));
    plan.SetDefault(ParseBehaviour("connect:1:1200"));
  }
  DialOutcome Outcome(const char* dialText) { return plan.Lookup(dialText).outcome; }
  DialPlan plan;
};

TEST_F(DialPlanMatching, PrefixesFallAwayAndTheLongestNumberWins) {
  EXPECT_EQ(Outcome("5551234"), DialOutcome::Busy);
  EXPECT_EQ(Outcome("9,5551234"), DialOutcome::Busy);
  EXPECT_EQ(Outcome("1W555 1234"), DialOutcome::Busy);
  EXPECT_EQ(Outcome("9,1234"), DialOutcome::NoDialtone);
  EXPECT_EQ(Outcome("5559999"), DialOutcome::Silent);
}

TEST_F(DialPlanMatching, ASuffixWithDigitsStillFindsTheNumber) {
  EXPECT_EQ(Outcome("5551234;"), DialOutcome::Busy);
  EXPECT_EQ(Outcome("5551234,,,77"), DialOutcome::Busy);
}

TEST_F(DialPlanMatching, ExactTextComesFirstAndUnknownNumbersGetTheDefault) {
  EXPECT_EQ(Outcome("#31#"), DialOutcome::NoCarrier);
  EXPECT_EQ(Outcome("5550000"), DialOutcome::Connect);
  EXPECT_EQ(plan.Lookup("5550000").speed, "1200");
  EXPECT_EQ(Outcome(""), DialOutcome::Connect);
}

TEST_F(DialPlanMatching, AddingANumberAgainReplacesIt) {
  plan.Add("5551234", ParseBehaviour("connect"));
  EXPECT_EQ(Outcome("5551234"), DialOutcome::Connect);
}
