// The Win32 clock: dates and times as text in the user locale.
#include "platform/win32/win32_clock.h"

#include <gtest/gtest.h>

namespace {

// Whatever the prefix's locale, the texts carry the fields they were given,
// the seconds included; an impossible date or time gives no text.
TEST(Win32Clock, FormatsTheGivenDateAndTimeWithSeconds) {
  platform::Win32Clock clock;
  const std::string date = clock.ShortDateText({2026, 12, 4, 19, 9, 45});
  EXPECT_NE(date.find("26"), std::string::npos) << date;
  EXPECT_NE(date.find("12"), std::string::npos) << date;
  EXPECT_NE(date.find('4'), std::string::npos) << date;
  const std::string time = clock.TimeText({2026, 12, 4, 19, 9, 45});
  EXPECT_NE(time.find("09"), std::string::npos) << time;
  EXPECT_NE(time.find("45"), std::string::npos) << time;
  EXPECT_EQ(clock.ShortDateText({2026, 13, 4, 0, 0, 0}), "");
  EXPECT_EQ(clock.TimeText({2026, 12, 4, 24, 0, 0}), "");
}

}  // namespace
