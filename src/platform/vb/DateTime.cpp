#include "platform/vb/DateTime.h"

#include <array>
#include <cctype>
#include <cstdio>
#include <vector>

namespace vb {

namespace {

bool IsLeap(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
  static constexpr std::array<int, 12> kDays = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeap(year) ? 29 : kDays[static_cast<std::size_t>(month - 1)];
}

// Days since 1970-01-01 (proleptic Gregorian).
long long DaysFromCivil(int y, int m, int d) {
  y -= m <= 2;
  const long long era = (y >= 0 ? y : y - 399) / 400;
  const long long yoe = y - era * 400;
  const long long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const long long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

Date CivilFromDays(long long z) {
  z += 719468;
  const long long era = (z >= 0 ? z : z - 146096) / 146097;
  const long long doe = z - era * 146097;
  const long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const long long y = yoe + era * 400;
  const long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const long long mp = (5 * doy + 2) / 153;
  const long long d = doy - (153 * mp + 2) / 5 + 1;
  const long long m = mp + (mp < 10 ? 3 : -9);
  return Date{static_cast<int>(y + (m <= 2)), static_cast<int>(m), static_cast<int>(d)};
}

constexpr std::array<const char*, 7> kWeekdays = {"Thursday", "Friday", "Saturday", "Sunday",
                                                   "Monday", "Tuesday", "Wednesday"};
constexpr std::array<const char*, 12> kMonths = {"January", "February", "March", "April", "May", "June",
                                                  "July", "August", "September", "October", "November", "December"};

std::string TrimBlanks(std::string_view text) {
  std::size_t a = 0;
  std::size_t b = text.size();
  while (a < b && std::isspace(static_cast<unsigned char>(text[a]))) ++a;
  while (b > a && std::isspace(static_cast<unsigned char>(text[b - 1]))) --b;
  return std::string(text.substr(a, b - a));
}

// Splits "digits sep digits sep digits" into numbers; false when the text is not of that form.
bool SplitNumbers(std::string_view text, char sep, std::vector<int>& parts, std::vector<int>& widths) {
  parts.clear();
  widths.clear();
  std::size_t i = 0;
  while (true) {
    std::size_t start = i;
    long value = 0;
    while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) {
      value = value * 10 + (text[i] - '0');
      if (value > 100000) return false;
      ++i;
    }
    if (i == start) return false;
    parts.push_back(static_cast<int>(value));
    widths.push_back(static_cast<int>(i - start));
    if (i == text.size()) return true;
    if (text[i] != sep) return false;
    ++i;
  }
}

}  // namespace

bool IsValidDate(const Date& date) {
  return date.year >= 100 && date.year <= 9999 && date.month >= 1 && date.month <= 12 && date.day >= 1 &&
         date.day <= DaysInMonth(date.year, date.month);
}

Date AddDays(const Date& date, int days) {
  return CivilFromDays(DaysFromCivil(date.year, date.month, date.day) + days);
}

std::string FormatShortDate(const Date& date) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%02d/%02d/%02d", date.month % 100, date.day % 100, date.year % 100);
  return buffer;
}

std::string FormatLongDate(const Date& date) {
  long long days = DaysFromCivil(date.year, date.month, date.day);
  int weekday = static_cast<int>(((days % 7) + 7) % 7);
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%s, %s %02d, %04d", kWeekdays[static_cast<std::size_t>(weekday)],
                kMonths[static_cast<std::size_t>(date.month - 1)], date.day, date.year);
  return buffer;
}

std::string TimeText(const TimeOfDay& time) {
  int hour12 = time.hour % 12 == 0 ? 12 : time.hour % 12;
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%d:%02d:%02d %s", hour12, time.minute, time.second,
                time.hour < 12 ? "AM" : "PM");
  return buffer;
}

std::optional<Date> ParseDate(std::string_view raw) {
  std::string text = TrimBlanks(raw);
  // A date followed by a time: keep the date part.
  std::size_t blank = text.find_first_of(" T");
  if (blank != std::string::npos) text = text.substr(0, blank);
  std::vector<int> parts;
  std::vector<int> widths;
  Date date;
  if (SplitNumbers(text, '-', parts, widths) && parts.size() == 3 && widths[0] == 4) {
    date = Date{parts[0], parts[1], parts[2]};
  } else if ((SplitNumbers(text, '/', parts, widths) || SplitNumbers(text, '-', parts, widths)) &&
             parts.size() == 3 && widths[0] <= 2 && widths[1] <= 2 && (widths[2] == 2 || widths[2] == 4)) {
    int year = parts[2];
    if (widths[2] == 2) year += year < 30 ? 2000 : 1900;
    date = Date{year, parts[0], parts[1]};
  } else {
    return std::nullopt;
  }
  if (!IsValidDate(date)) return std::nullopt;
  return date;
}

std::optional<TimeOfDay> ParseTime(std::string_view raw) {
  std::string text = TrimBlanks(raw);
  // A date followed by a time: keep the time part.
  std::size_t blank = text.find_first_of(" T");
  if (blank != std::string::npos && text.find_first_of("/-") < blank) text = TrimBlanks(text.substr(blank + 1));
  int meridiem = 0;  // 0 none, 1 AM, 2 PM
  if (text.size() >= 2) {
    std::string tail = text.substr(text.size() - 2);
    for (char& c : tail) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (tail == "AM" || tail == "PM") {
      meridiem = tail == "AM" ? 1 : 2;
      text = TrimBlanks(text.substr(0, text.size() - 2));
    }
  }
  std::vector<int> parts;
  std::vector<int> widths;
  if (!SplitNumbers(text, ':', parts, widths) || parts.size() > 3) return std::nullopt;
  if (parts.size() == 1 && meridiem == 0) return std::nullopt;
  for (std::size_t k = 1; k < widths.size(); ++k) {
    if (widths[k] != 2) return std::nullopt;
  }
  TimeOfDay time{parts[0], parts.size() > 1 ? parts[1] : 0, parts.size() > 2 ? parts[2] : 0};
  if (meridiem != 0) {
    if (time.hour < 1 || time.hour > 12) return std::nullopt;
    time.hour = time.hour % 12 + (meridiem == 2 ? 12 : 0);
  }
  if (time.hour > 23 || time.minute > 59 || time.second > 59) return std::nullopt;
  return time;
}

}  // namespace vb
