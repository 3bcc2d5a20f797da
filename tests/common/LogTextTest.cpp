#include "common/LogText.h"

#include <gtest/gtest.h>

#include "common/ErrorBox.h"
#include "common/SettingsFiles.h"
#include "platform/forms/SimulatedLoop.h"
#include "support/TempFolder.h"

namespace pager {
namespace {

TEST(LogText, HeadHoldsTheDateAndTimeOfTheMoment) {
  forms::SimulatedLoop loop;
  forms::SimulatedClock clock(loop, vb::Date{2026, 12, 7}, vb::TimeOfDay{14, 30, 5});
  EXPECT_EQ(LogHead(clock), "12/07/26 - 2:30:05 PM : Message: ");
  loop.Advance(3 * 3600 * 1000LL + 55 * 1000LL);
  EXPECT_EQ(LogHead(clock), "12/07/26 - 5:31:00 PM : Message: ");
  clock.Set(vb::Date{2000, 1, 1}, vb::TimeOfDay{0, 0, 0});
  EXPECT_EQ(LogHead(clock), "01/01/00 - 12:00:00 AM : Message: ");
}

TEST(LogText, SentencesOfTheThreeWriters) {
  EXPECT_EQ(SentSentence("Call home", "5551"), "Call home for unit 5551 was sent successfully.");
  EXPECT_EQ(FailedSentence("Call home", "5551", "was busy."),
            "Call home to unit 5551 was not sent because paging company was busy.");
  EXPECT_EQ(RejectedSentence("Meeting moved to room 4", "77"),
            "Meeting moved t... was not sent because paging unit 77 is invalid.");
  EXPECT_EQ(RejectedSentence("Hi", ""), "Hi... was not sent because paging unit  is invalid.");
}

TEST(LogText, ANullFieldAddsNothing) {
  EXPECT_EQ(SentSentence(std::nullopt, "5551"), " for unit 5551 was sent successfully.");
  EXPECT_EQ(SentSentence("m", std::nullopt), "m for unit  was sent successfully.");
  EXPECT_EQ(FailedSentence(std::nullopt, std::nullopt, "had no carrier."),
            " to unit  was not sent because paging company had no carrier.");
}

TEST(LogText, LongMessagesStayWholeAndTheRejectedCutKeepsLettersWhole) {
  std::string message(200, 'm');
  EXPECT_EQ(SentSentence(message, "1").size(), 200 + std::string(" for unit 1 was sent successfully.").size());
  // 14 ASCII letters and then a two-byte letter: the fifteenth character is kept whole.
  EXPECT_EQ(RejectedSentence("abcdefghijklmn\xC3\xA9xyz", "1").substr(0, 19), "abcdefghijklmn\xC3\xA9...");
  EXPECT_EQ(RejectedSentence("\xE2\x82\xAC\xE2\x82\xAC", "1").substr(0, 9), "\xE2\x82\xAC\xE2\x82\xAC...");
}

TEST(ErrorBox, GeneralErrorTextUsesTheSignedNumberForm) {
  EXPECT_EQ(GeneralErrorText(vb::RuntimeError(62, "Input past end of file")), "Error:  62 - Input past end of file");
  EXPECT_EQ(GeneralErrorText(vb::RuntimeError(-2147467259, "Unspecified")), "Error: -2147467259 - Unspecified");
}

TEST(SettingsFiles, StatusAndTextSettingsAreOneQuotedItem) {
  testing_support::TempFolder folder;
  WriteStatus(folder.Path(), kAvailable);
  EXPECT_EQ(folder.Read("status.dat"), "\"AVAILABLE\"\r\n");
  WriteStatus(folder.Path(), kNotAvailable);
  EXPECT_EQ(folder.Read("status.dat"), "\"NOT AVAILABLE\"\r\n");
  WriteTextSetting(folder.Path(), kInterDat, "ENABLED");
  EXPECT_EQ(folder.Read("Inter.dat"), "\"ENABLED\"\r\n");
  EXPECT_EQ(SettingsPath("/opt/pager", kModemCfg), "/opt/pager/modem.cfg");
  EXPECT_EQ(SettingsPath("/opt/pager/", kOwnCfg), "/opt/pager/own.cfg");
}

}  // namespace
}  // namespace pager
