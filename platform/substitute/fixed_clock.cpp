#include "platform/substitute/fixed_clock.h"

#include <utility>

namespace platform {
namespace {

std::string TwoDigits(int value) { return (value >= 0 && value < 10 ? "0" : "") + std::to_string(value); }

}  // namespace

FixedClock::FixedClock(std::vector<LocalTime> readings) : readings_(std::move(readings)) {
  if (readings_.empty()) readings_.push_back(LocalTime{});
}

LocalTime FixedClock::Now() {
  const std::size_t next =
      static_cast<std::size_t>(reads_) < readings_.size() ? static_cast<std::size_t>(reads_) : readings_.size() - 1;
  ++reads_;
  return readings_[next];
}

// US English short date: M/d/yyyy.
std::string FixedClock::ShortDateText(const LocalTime& time) {
  return std::to_string(time.month) + "/" + std::to_string(time.day) + "/" + std::to_string(time.year);
}

// US English time: h:mm:ss tt, on the 12-hour clock where midnight and noon are 12.
std::string FixedClock::TimeText(const LocalTime& time) {
  const int hour12 = time.hour % 12 == 0 ? 12 : time.hour % 12;
  return std::to_string(hour12) + ":" + TwoDigits(time.minute) + ":" + TwoDigits(time.second) +
         (time.hour < 12 ? " AM" : " PM");
}

}  // namespace platform
