// The clock facility: the current local time, and its date and time of day as
// text in the user's locale. Every reading asks the clock afresh, so a caller
// that wants a date and a time reads twice.
#pragma once

#include <string>

namespace platform {

struct LocalTime {
  int year = 0;    // four digits
  int month = 0;   // 1 to 12
  int day = 0;     // 1 to 31
  int hour = 0;    // 0 to 23
  int minute = 0;  // 0 to 59
  int second = 0;  // 0 to 59
};

class Clock {
 public:
  virtual ~Clock() = default;

  virtual LocalTime Now() = 0;
  // The date in the user's short-date format ("12/4/2026" in US English);
  // the empty text when the locale cannot format it.
  virtual std::string ShortDateText(const LocalTime& time) = 0;
  // The time of day in the user's time format, seconds included
  // ("7:09:45 PM" in US English); the empty text when it cannot be formatted.
  virtual std::string TimeText(const LocalTime& time) = 0;
};

}  // namespace platform
