#include "platform/vb/Text.h"

#include <gtest/gtest.h>

#include <climits>
#include <limits>

#include "support/ErrorNumber.h"

namespace vb {
namespace {

using testing_support::ErrorOf;

TEST(Text, SignedNumberForm) {
  EXPECT_EQ(Str(0), " 0");
  EXPECT_EQ(Str(45), " 45");
  EXPECT_EQ(Str(-3), "-3");
  EXPECT_EQ(Str(LLONG_MIN), "-9223372036854775808");
}

TEST(Text, TrimmingTakesSpacesOnly) {
  EXPECT_EQ(Trim("  28800  "), "28800");
  EXPECT_EQ(LTrim("  a b  "), "a b  ");
  EXPECT_EQ(RTrim("  a b  "), "  a b");
  EXPECT_EQ(Trim("\tATZ\r\n"), "\tATZ\r\n");
  EXPECT_EQ(Trim("    "), "");
  EXPECT_EQ(Trim(""), "");
}

TEST(Text, CaseAndLeft) {
  EXPECT_EQ(UCase("modem.cfg"), "MODEM.CFG");
  EXPECT_EQ(UCase("caf\xC3\xA9"), "CAF\xC3\xA9");
  EXPECT_EQ(Left("Meeting moved to room 4", 15), "Meeting moved t");
  EXPECT_EQ(Left("Hi", 15), "Hi");
}

TEST(Text, LeadingNumberOfASettingsItem) {
  EXPECT_EQ(LeadingInt16("3"), 3);
  EXPECT_EQ(LeadingInt16(" 3.6x"), 4);
  EXPECT_EQ(LeadingInt16("2.5"), 2);  // halves to the even neighbour
  EXPECT_EQ(LeadingInt16("3.5"), 4);
  EXPECT_EQ(LeadingInt16("-7 apples"), -7);
  EXPECT_EQ(LeadingInt16("1 2"), 12);
  EXPECT_EQ(LeadingInt16("Com 1"), 0);
  EXPECT_EQ(LeadingInt16(""), 0);
  EXPECT_EQ(LeadingInt16("abc"), 0);
  EXPECT_EQ(LeadingInt16("-"), 0);
  EXPECT_EQ(LeadingInt16("1e2"), 100);
  EXPECT_EQ(LeadingInt16("&H1F"), 31);
  EXPECT_EQ(ErrorOf([] { LeadingInt16("40000"); }), 6);
  EXPECT_EQ(ErrorOf([] { LeadingInt16("1e400"); }), 6);
  EXPECT_EQ(ErrorOf([] { LeadingInt16(std::string(500, '9')); }), 6);
}

TEST(Text, ValReadsTheNumberATextBeginsWith) {
  EXPECT_DOUBLE_EQ(Val("  12.5abc"), 12.5);
  EXPECT_DOUBLE_EQ(Val("\t\n-3e2"), -300.0);
  EXPECT_DOUBLE_EQ(Val("1.2.3"), 1.2);
  EXPECT_DOUBLE_EQ(Val("&O17"), 15.0);
  EXPECT_DOUBLE_EQ(Val("&"), 0.0);
  EXPECT_DOUBLE_EQ(Val("4e"), 4.0);
}

TEST(Text, WholeTextToInteger) {
  EXPECT_EQ(CIntText(" 45 "), 45);
  EXPECT_EQ(CIntText("-5"), -5);
  EXPECT_EQ(CIntText("+2.5"), 2);
  EXPECT_EQ(CIntText("1.5e1"), 15);
  EXPECT_EQ(CIntText("-32768"), -32768);
  for (const char* bad : {"", "   ", "abc", "12abc", "1 2", "--5", ".", "\t5", "0x10"}) {
    EXPECT_EQ(ErrorOf([&] { CIntText(bad); }), 13) << bad;
  }
  EXPECT_EQ(ErrorOf([] { CIntText("32768"); }), 6);
  EXPECT_EQ(ErrorOf([] { CIntText("1e999"); }), 6);
}

TEST(Text, CIntRoundsHalvesToEvenAndChecksTheRange) {
  EXPECT_EQ(CInt(0.5), 0);
  EXPECT_EQ(CInt(1.5), 2);
  EXPECT_EQ(CInt(-2.5), -2);
  EXPECT_EQ(CInt(32767.4), 32767);
  EXPECT_EQ(ErrorOf([] { CInt(32767.5); }), 6);
  EXPECT_EQ(ErrorOf([] { CInt(std::numeric_limits<double>::quiet_NaN()); }), 6);
}

}  // namespace
}  // namespace vb
