// The modem before any call: command lines, echo, results.
#include <gtest/gtest.h>

#include "modemsim/LineHarness.h"

using modemsim::ModemConfig;
using modemsim_test::LineHarness;

namespace {

ModemConfig EchoingModem() {
  ModemConfig config;
  config.echo = true;
  return config;
}

}  // namespace

TEST(ModemCommandMode, AnswersCommandLinesWithOkOrError) {
  LineHarness line;
  EXPECT_EQ(line.Say("AT\r"), "\r\nOK\r\n");
  EXPECT_EQ(line.Say("ATZ\r"), "\r\nOK\r\n");
  EXPECT_EQ(line.Say("at&fx4l1m0&c1&d2s7=60\r"), "\r\nOK\r\n");
  EXPECT_EQ(line.Say("ATJ\r"), "\r\nERROR\r\n");
  EXPECT_EQ(line.Say("ATE7\r"), "\r\nERROR\r\n");
  EXPECT_EQ(line.Say("AT#\r"), "\r\nERROR\r\n");
  EXPECT_EQ(line.Say("ATO\r"), "\r\nERROR\r\n") << "no call to go back to";
}

TEST(ModemCommandMode, LinesNotForTheModemGetNoAnswer) {
  LineHarness line;
  EXPECT_EQ(line.Say("5551234\r"), "");
  EXPECT_EQ(line.Say("\r\r"), "");
  EXPECT_EQ(line.Say("\n"), "");
}

TEST(ModemCommandMode, ALineMayArriveInPiecesWithFeedsAndErasures) {
  LineHarness line;
  EXPECT_EQ(line.Say("A"), "");
  EXPECT_EQ(line.Say("TX"), "");
  EXPECT_EQ(line.Say("\x08Z\n"), "");
  EXPECT_EQ(line.Say("\r"), "\r\nOK\r\n");
  EXPECT_EQ(line.Say("\xC1\xD4\x8D"), "\r\nOK\r\n") << "the eighth bit (parity) is not part of a character";
}

TEST(ModemCommandMode, EchoFollowsE0AndE1AndZRestoresThePowerOnSetting) {
  LineHarness line(EchoingModem());
  EXPECT_EQ(line.Say("ATZ\r"), "ATZ\r\r\nOK\r\n");
  EXPECT_EQ(line.Say("ATE0\r"), "ATE0\r\r\nOK\r\n") << "the E0 line itself is still echoed as typed";
  EXPECT_FALSE(line.modem.EchoOn());
  EXPECT_EQ(line.Say("AT\r"), "\r\nOK\r\n");
  EXPECT_EQ(line.Say("ATE1\r"), "\r\nOK\r\n");
  EXPECT_EQ(line.Say("AT\r"), "AT\r\r\nOK\r\n");
  line.Say("ATE0\r");
  EXPECT_EQ(line.Say("ATZ\r"), "\r\nOK\r\n");
  EXPECT_TRUE(line.modem.EchoOn());
  EXPECT_EQ(line.Say("ATE\r"), "ATE\r\r\nOK\r\n") << "E without a value is E0";
  EXPECT_FALSE(line.modem.EchoOn());
}

TEST(ModemCommandMode, NumericAndQuietResults) {
  LineHarness line;
  EXPECT_EQ(line.Say("ATV0\r"), "0\r");
  EXPECT_EQ(line.Say("ATJ\r"), "4\r");
  EXPECT_EQ(line.Say("ATQ1\r"), "");
  EXPECT_EQ(line.Say("ATJ\r"), "");
  EXPECT_EQ(line.Say("ATZ\r"), "\r\nOK\r\n");
}

TEST(ModemCommandMode, RegistersAndIdentification) {
  LineHarness line;
  EXPECT_EQ(line.Say("ATS12?\r"), "\r\n050\r\n\r\nOK\r\n");
  EXPECT_EQ(line.Say("ATS12=25\r"), "\r\nOK\r\n");
  EXPECT_EQ(line.modem.GuardTimeMs(), 500);
  std::string info = line.Say("ATI\r");
  EXPECT_TRUE(info.ends_with("\r\nOK\r\n"));
  EXPECT_EQ(info.find("ID"), std::string::npos) << "would count as the terminal's ID prompt";
}

TEST(ModemCommandMode, CommandsBeforeAnErrorTakeEffect) {
  LineHarness line;
  EXPECT_EQ(line.Say("ATE1J\r"), "\r\nERROR\r\n");
  EXPECT_TRUE(line.modem.EchoOn());
}
