#include "platform/vb/DateTime.h"

#include <gtest/gtest.h>

namespace vb {
namespace {

TEST(DateTime, DateTexts) {
  EXPECT_EQ(FormatShortDate(Date{2026, 12, 7}), "12/07/26");
  EXPECT_EQ(FormatShortDate(Date{2000, 1, 1}), "01/01/00");
  EXPECT_EQ(FormatLongDate(Date{2026, 12, 7}), "Monday, December 07, 2026");
  EXPECT_EQ(FormatLongDate(Date{2024, 2, 29}), "Thursday, February 29, 2024");
  EXPECT_EQ(FormatLongDate(Date{1899, 12, 30}), "Saturday, December 30, 1899");
}

TEST(DateTime, TimeTexts) {
  EXPECT_EQ(TimeText(TimeOfDay{14, 30, 5}), "2:30:05 PM");
  EXPECT_EQ(TimeText(TimeOfDay{0, 0, 0}), "12:00:00 AM");
  EXPECT_EQ(TimeText(TimeOfDay{12, 0, 0}), "12:00:00 PM");
  EXPECT_EQ(TimeText(TimeOfDay{9, 5, 59}), "9:05:59 AM");
  EXPECT_EQ(TimeText(TimeOfDay{23, 59, 59}), "11:59:59 PM");
}

TEST(DateTime, CalendarArithmetic) {
  EXPECT_EQ(AddDays(Date{2026, 12, 31}, 1), (Date{2027, 1, 1}));
  EXPECT_EQ(AddDays(Date{2024, 3, 1}, -1), (Date{2024, 2, 29}));
  EXPECT_EQ(AddDays(Date{2023, 3, 1}, -1), (Date{2023, 2, 28}));
  EXPECT_TRUE(IsValidDate(Date{2000, 2, 29}));
  EXPECT_FALSE(IsValidDate(Date{1900, 2, 29}));
  EXPECT_FALSE(IsValidDate(Date{2026, 13, 1}));
  EXPECT_FALSE(IsValidDate(Date{2026, 4, 31}));
  EXPECT_LT((Date{2026, 12, 6}), (Date{2026, 12, 7}));
  EXPECT_LT((TimeOfDay{14, 29, 59}), (TimeOfDay{14, 30, 0}));
}

TEST(DateTime, ParseDateTakesTheFormsAnOperatorWrites) {
  const Date expected{2026, 12, 7};
  for (const char* text : {"2026-12-07", "12/07/2026", "12/7/26", "12-07-2026", "2026-12-07 14:30:00",
                           "  12/07/2026  ", "2026-12-07T14:30:00"}) {
    EXPECT_EQ(ParseDate(text), expected) << text;
  }
  EXPECT_EQ(ParseDate("1/2/30"), (Date{1930, 1, 2}));
  EXPECT_EQ(ParseDate("1/2/29"), (Date{2029, 1, 2}));
  for (const char* text : {"", "today", "2026-02-30", "13/01/2026", "12/07", "2026/12/07", "12/07/202",
                           "99999999999/1/1", "12/07/2026x", "-1/2/2026"}) {
    EXPECT_EQ(ParseDate(text), std::nullopt) << text;
  }
}

TEST(DateTime, ParseTimeTakesTheFormsAnOperatorWrites) {
  EXPECT_EQ(ParseTime("14:30"), (TimeOfDay{14, 30, 0}));
  EXPECT_EQ(ParseTime("14:30:15"), (TimeOfDay{14, 30, 15}));
  EXPECT_EQ(ParseTime("2:30 PM"), (TimeOfDay{14, 30, 0}));
  EXPECT_EQ(ParseTime("2:30:15 pm"), (TimeOfDay{14, 30, 15}));
  EXPECT_EQ(ParseTime("2 PM"), (TimeOfDay{14, 0, 0}));
  EXPECT_EQ(ParseTime("12:00 AM"), (TimeOfDay{0, 0, 0}));
  EXPECT_EQ(ParseTime("12:00 PM"), (TimeOfDay{12, 0, 0}));
  EXPECT_EQ(ParseTime("2026-12-07 14:30:00"), (TimeOfDay{14, 30, 0}));
  EXPECT_EQ(ParseTime(TimeText(TimeOfDay{9, 5, 59})), (TimeOfDay{9, 5, 59}));
  for (const char* text : {"", "14", "24:00", "14:60", "14:30:60", "13:00 PM", "0:30 AM", "14:3", "a:b",
                           "14:30:15:10", "2026-12-07"}) {
    EXPECT_EQ(ParseTime(text), std::nullopt) << text;
  }
}

}  // namespace
}  // namespace vb
