// Dates, times of day and their texts.
//
// The server writes dates and times into its labels and its log sentences, and reads the date
// and time of scheduled rows that an operator types with any SQLite client. The texts are those
// of a US-English desktop: "12/07/26", "Monday, December 07, 2026", "2:30:05 PM".
#pragma once

#include <compare>
#include <optional>
#include <string>
#include <string_view>

namespace vb {

struct Date {
  int year = 1899;
  int month = 12;
  int day = 30;
  friend auto operator<=>(const Date&, const Date&) = default;
};

struct TimeOfDay {
  int hour = 0;
  int minute = 0;
  int second = 0;
  friend auto operator<=>(const TimeOfDay&, const TimeOfDay&) = default;
  int Seconds() const { return hour * 3600 + minute * 60 + second; }
};

bool IsValidDate(const Date& date);
Date AddDays(const Date& date, int days);

// "mm/dd/yy": two digits each.
std::string FormatShortDate(const Date& date);
// "dddd, mmmm dd, yyyy": "Monday, December 07, 2026".
std::string FormatLongDate(const Date& date);
// The time of day as text: hour without a leading zero, minutes and seconds with two digits,
// then " AM" or " PM": "2:30:05 PM", "12:00:00 AM" for midnight.
std::string TimeText(const TimeOfDay& time);

// A date as an operator writes it: ISO "2026-12-07" or US "12/07/2026" (also "12/7/26" and
// "12-07-2026"); a date followed by a time ("2026-12-07 14:30:00") gives its date part. A year
// of two digits means 1930-2029. Nothing for any other text or an impossible date.
std::optional<Date> ParseDate(std::string_view text);

// A time of day as an operator writes it: "14:30", "14:30:15", "2:30 PM", "2:30:15 pm", "2 PM";
// a date followed by a time gives its time part. Nothing for any other text or a time out of range.
std::optional<TimeOfDay> ParseTime(std::string_view text);

}  // namespace vb
