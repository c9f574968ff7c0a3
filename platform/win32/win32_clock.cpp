#include "platform/win32/win32_clock.h"

#include <windows.h>

namespace platform {
namespace {

WORD Field(int value) { return value < 0 ? WORD{0} : static_cast<WORD>(value); }

// The day of the week is left 0: the formatting calls work it out themselves.
SYSTEMTIME ToSystemTime(const LocalTime& time) {
  SYSTEMTIME st = {};
  st.wYear = Field(time.year);
  st.wMonth = Field(time.month);
  st.wDay = Field(time.day);
  st.wHour = Field(time.hour);
  st.wMinute = Field(time.minute);
  st.wSecond = Field(time.second);
  return st;
}

// Asks a formatting call for the length first, then for the text; both calls
// count the terminating NUL.
template <typename Format>
std::string Formatted(Format format) {
  const int length = format(nullptr, 0);
  if (length <= 0) return std::string();
  std::string text(static_cast<std::size_t>(length), '\0');
  const int written = format(&text[0], length);
  if (written <= 0) return std::string();
  text.resize(static_cast<std::size_t>(written - 1));
  return text;
}

}  // namespace

LocalTime Win32Clock::Now() {
  SYSTEMTIME st = {};
  GetLocalTime(&st);
  LocalTime now;
  now.year = st.wYear;
  now.month = st.wMonth;
  now.day = st.wDay;
  now.hour = st.wHour;
  now.minute = st.wMinute;
  now.second = st.wSecond;
  return now;
}

std::string Win32Clock::ShortDateText(const LocalTime& time) {
  const SYSTEMTIME st = ToSystemTime(time);
  return Formatted([&st](char* buffer, int size) {
    return GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &st, nullptr, buffer, size);
  });
}

std::string Win32Clock::TimeText(const LocalTime& time) {
  const SYSTEMTIME st = ToSystemTime(time);
  // No flags: the locale's own time format, which carries the seconds.
  return Formatted(
      [&st](char* buffer, int size) { return GetTimeFormatA(LOCALE_USER_DEFAULT, 0, &st, nullptr, buffer, size); });
}

}  // namespace platform
