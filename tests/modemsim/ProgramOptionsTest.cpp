#include "modem-sim/ProgramOptions.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "support/TempFolder.h"

using modemsim::DialOutcome;
using modemsim::ParseProgramOptions;
using modemsim::ProgramOptions;
using modemsim::TerminalConfig;

TEST(ProgramOptions, DefaultsGiveAWorkingModemOnCom1) {
  ProgramOptions options = ParseProgramOptions({});
  EXPECT_EQ(options.folder, ".");
  EXPECT_EQ(options.port, 1);
  EXPECT_TRUE(options.pagesFile.empty());
  EXPECT_FALSE(options.verbose);
  EXPECT_EQ(options.modem.dialPlan.Lookup("5551234").outcome, DialOutcome::Connect);
  EXPECT_TRUE(options.modem.terminal.knownUnits.empty());
  EXPECT_EQ(options.modem.terminal.idPrompts, 1);
}

TEST(ProgramOptions, ReadsEveryOptionInBothSpellings) {
  ProgramOptions options = ParseProgramOptions(
      {"--folder", "/tmp/prog", "--port=3", "--number", "5551234=connect:2:2400", "--number=5550000=busy",
       "--default", "nocarrier:9", "--units", "1234, 5678", "--echo", "off", "--modem-echo=off", "--id-prompts",
       "every", "--id-repeat", "1.5", "--unit-prompt", "Pager ID?", "--reject", "Pager ID not valid", "--pages",
       "/tmp/pages.log", "--verbose"});
  EXPECT_EQ(options.folder, "/tmp/prog");
  EXPECT_EQ(options.port, 3);
  EXPECT_EQ(options.modem.dialPlan.Lookup("9,5551234").outcome, DialOutcome::Connect);
  EXPECT_EQ(options.modem.dialPlan.Lookup("5550000").outcome, DialOutcome::Busy);
  EXPECT_EQ(options.modem.dialPlan.Lookup("5552222").outcome, DialOutcome::NoCarrier);
  EXPECT_EQ(options.modem.terminal.knownUnits, (std::vector<std::string>{"1234", "5678"}));
  EXPECT_FALSE(options.modem.terminal.echo);
  EXPECT_FALSE(options.modem.echo);
  EXPECT_EQ(options.modem.terminal.idPrompts, TerminalConfig::kEveryLine);
  EXPECT_EQ(options.modem.terminal.idRepeatMs, 1500);
  EXPECT_EQ(options.modem.terminal.unitPrompt, "Pager ID?");
  EXPECT_EQ(options.modem.terminal.rejectLine, "Pager ID not valid");
  EXPECT_EQ(options.pagesFile, "/tmp/pages.log");
  EXPECT_TRUE(options.verbose);
}

TEST(ProgramOptions, RefusesBadInput) {
  const std::vector<std::vector<std::string>> bad = {
      {"--port", "0"},       {"--port", "100"},       {"--port"},          {"--number", "5551234"},
      {"--number", "=busy"}, {"--number", "1=ring"},  {"--echo", "maybe"}, {"--id-prompts", "-1"},
      {"--colour", "red"},   {"stray"},               {"--config", "/nonexistent/modem-sim.conf"},
  };
  for (const auto& args : bad) {
    EXPECT_THROW(ParseProgramOptions(args), std::invalid_argument) << args[0];
  }
}

TEST(ProgramOptions, AConfigurationFileAppliesInPlaceAndLaterOptionsWin) {
  testing_support::TempFolder folder;
  folder.Write("sim.conf",
               "# the test line\r\n"
               "number 5551234=drop:20\n"
               "\n"
               "units all\n"
               "accept   Message queued\n"
               "verbose\n"
               "port 2\n");
  ProgramOptions options = ParseProgramOptions({"--port", "5", "--config", folder.PathOf("sim.conf"), "--port", "4"});
  EXPECT_EQ(options.port, 4);
  EXPECT_EQ(options.modem.dialPlan.Lookup("5551234").outcome, DialOutcome::ConnectThenDrop);
  EXPECT_EQ(options.modem.terminal.acceptLine, "Message queued");
  EXPECT_TRUE(options.verbose);

  folder.Write("bad.conf", "port 2\nnumber 5551234=fast\n");
  try {
    ParseProgramOptions({"--config", folder.PathOf("bad.conf")});
    FAIL() << "a bad line must be refused";
  } catch (const std::invalid_argument& error) {
    EXPECT_NE(std::string(error.what()).find("line 2"), std::string::npos) << error.what();
  }
}
