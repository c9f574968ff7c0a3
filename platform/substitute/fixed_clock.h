// A clock that gives readings set in advance, formatted as US English does
// ("12/4/2026", "7:09:45 PM"). Each reading takes the next time of the list;
// the last one repeats.
#pragma once

#include <string>
#include <vector>

#include "platform/clock.h"

namespace platform {

class FixedClock final : public Clock {
 public:
  explicit FixedClock(LocalTime time) : readings_{time} {}
  // Readings in order, for a caller that reads more than once; at least one.
  explicit FixedClock(std::vector<LocalTime> readings);

  LocalTime Now() override;
  std::string ShortDateText(const LocalTime& time) override;
  std::string TimeText(const LocalTime& time) override;

  int Reads() const { return reads_; }

 private:
  std::vector<LocalTime> readings_;
  int reads_ = 0;
};

}  // namespace platform
