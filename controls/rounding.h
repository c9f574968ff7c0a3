// Drawing coordinates are computed as real numbers and rounded to the nearest
// integer, halves to the even neighbour, so that every computed position is
// reproducible whatever the floating-point rounding mode.
#pragma once

#include <cmath>

namespace controls {

inline int RoundHalfEven(double value) {
  double whole = std::floor(value);
  const double fraction = value - whole;
  if (fraction > 0.5 || (fraction == 0.5 && std::fmod(whole, 2.0) != 0.0)) whole += 1.0;
  return static_cast<int>(whole);
}

}  // namespace controls
