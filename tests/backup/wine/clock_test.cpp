// The Win32 clock: dates and times as text in the user locale.
#include "platform/win32/win32_clock.h"

#include <gtest/gtest.h>

namespace {

// Whatever the prefix's locale, the texts carry the fields they were given,
// the seconds included; an impossible date or time gives no text.
TEST(Win32Clock, FormatsTheGivenDateAndTimeWithSeconds) {
  platform::Win32Clock clock;
  const std::string date = clock.ShortDateText({2026, 12, 4, 19, 9, 45});
  for (const char* field : {"26", "12", "4"}) EXPECT_NE(date.find(field), std::string::npos) << date;
  const std::string time = clock.TimeText({2026, 12, 4, 19, 9, 45});
  for (const char* field : {"09", "45"}) EXPECT_NE(time.find(field), std::string::npos) << time;
  EXPECT_EQ(clock.ShortDateText({2026, 13, 4, 0, 0, 0}), "");
  EXPECT_EQ(clock.TimeText({2026, 12, 4, 24, 0, 0}), "");
}

}  // namespace
