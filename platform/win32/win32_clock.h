// The clock facility over GetLocalTime and the user locale's date and time
// formats.
#pragma once

#include "platform/clock.h"

namespace platform {

class Win32Clock final : public Clock {
 public:
  LocalTime Now() override;
  std::string ShortDateText(const LocalTime& time) override;
  std::string TimeText(const LocalTime& time) override;
};

}  // namespace platform
