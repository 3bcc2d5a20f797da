#include "modem-sim/AtCommandParser.h"

#include <gtest/gtest.h>

using modemsim::AtCommand;
using modemsim::ParseAtCommandLine;

TEST(AtCommandParser, SplitsAnInitStringIntoItsCommands) {
  auto line = ParseAtCommandLine("at&f e0 v1 S12=40 &C1");
  ASSERT_TRUE(line.isAt);
  ASSERT_FALSE(line.malformed);
  ASSERT_EQ(line.commands.size(), 5u);
  EXPECT_EQ(line.commands[0].kind, AtCommand::Kind::Ampersand);
  EXPECT_EQ(line.commands[0].name, 'F');
  EXPECT_EQ(line.commands[0].value, -1);
  EXPECT_EQ(line.commands[1].name, 'E');
  EXPECT_EQ(line.commands[1].value, 0);
  EXPECT_EQ(line.commands[3].kind, AtCommand::Kind::RegisterSet);
  EXPECT_EQ(line.commands[3].reg, 12);
  EXPECT_EQ(line.commands[3].value, 40);
  EXPECT_EQ(line.commands[4].name, 'C');
  EXPECT_EQ(line.commands[4].value, 1);
}

TEST(AtCommandParser, DialTakesTheRestOfTheLineWithoutToneOrPulse) {
  auto tone = ParseAtCommandLine("ATE1DT9,555 1234;");
  ASSERT_EQ(tone.commands.size(), 2u);
  EXPECT_EQ(tone.commands[1].kind, AtCommand::Kind::Dial);
  EXPECT_EQ(tone.commands[1].dial, "9,555 1234;");
  EXPECT_FALSE(tone.commands[1].pulse);

  auto pulse = ParseAtCommandLine("ATDP5551234");
  EXPECT_EQ(pulse.commands[0].dial, "5551234");
  EXPECT_TRUE(pulse.commands[0].pulse);

  // Without T or P the whole text is the number, even one starting with W.
  EXPECT_EQ(ParseAtCommandLine("ATDW5551234").commands[0].dial, "W5551234");
}

TEST(AtCommandParser, TheCallersHangUpLineIsAtH) {
  auto line = ParseAtCommandLine("ATH+++");
  ASSERT_FALSE(line.malformed);
  ASSERT_EQ(line.commands.size(), 1u);
  EXPECT_EQ(line.commands[0].name, 'H');
}

TEST(AtCommandParser, RefusesWhatIsNoCommand) {
  EXPECT_FALSE(ParseAtCommandLine("5551234").isAt);
  EXPECT_FALSE(ParseAtCommandLine("A").isAt);
  EXPECT_TRUE(ParseAtCommandLine("ATE1!").malformed);
  EXPECT_TRUE(ParseAtCommandLine("AT&").malformed);
  EXPECT_TRUE(ParseAtCommandLine("ATS12").malformed);
  EXPECT_TRUE(ParseAtCommandLine("ATS12=999").malformed);
  EXPECT_TRUE(ParseAtCommandLine("AT").commands.empty());
}
