#include <gtest/gtest.h>

#include "platform/comm/SerialBackend.h"
#include "platform/vb/RuntimeError.h"
#include "support/ErrorNumber.h"

namespace comm {
namespace {

// The number of the error that parsing `text` raises; 0 when it parses.
int ErrorOf(const std::string& text) {
  return testing_support::ErrorOf([&] { ParseSettings(text); });
}

TEST(LineSettings, TakesEveryRateOfTheSetupListAndTheOtherStandardOnes) {
  for (int rate : {110, 300, 600, 1200, 2400, 9600, 14400, 19200, 28800, 38400, 56000, 128000,
                   256000, 4800, 57600, 115200, 230400}) {
    EXPECT_EQ(ParseSettings(std::to_string(rate) + ",e,7,1").baud, rate) << rate;
  }
}

TEST(LineSettings, ReadsFramingAndForgivesBlanksAndLetterCase) {
  EXPECT_EQ(ParseSettings(" 9600 , E ,7, 1"), (LineSettings{9600, 'e', 7, 1}));
  EXPECT_EQ(ParseSettings("9600,n,8,1"), (LineSettings{9600, 'n', 8, 1}));
  EXPECT_EQ(ParseSettings("300,o,5,2"), (LineSettings{300, 'o', 5, 2}));
}

TEST(LineSettings, RefusesWhatNoPortCanDo) {
  for (const char* text : {"", "9600", "9600,e,7", "9600,e,7,1,1", ",e,7,1", "abc,e,7,1",
                           "-9600,e,7,1", "96 00,e,7,1", "4000,e,7,1", "0,e,7,1",
                           "99999999999,e,7,1", "9600,x,7,1", "9600,ee,7,1", "9600,e,9,1",
                           "9600,e,4,1", "9600,e,7,1.5", "9600,e,7,0"}) {
    EXPECT_EQ(ErrorOf(text), vb::err::kInvalidPropertyValue) << '"' << text << '"';
  }
}

}  // namespace
}  // namespace comm
