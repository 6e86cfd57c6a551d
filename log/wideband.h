#pragma once
// Conversion of a wideband sensor's voltage to the stored air/fuel figure (ratio times ten).
#include <cmath>

#include "log/failure.h"

namespace tarvelin {

inline constexpr double kWidebandThreshold = 2.0;  // volts; above it the log is wideband

// Excess-air ratio from the sensor voltage: two cubics meeting at 2.5 volts.
inline double WidebandLambda(double v) {
  if (v < 2.5) return ((0.033283 * v - 0.097899) * v + 0.277658) * v + 0.397526;
  return ((0.707071 * v - 4.88355) * v + 11.891674) * v - 9.255221;
}

// The AFR value stored for voltage v; a result beyond the real range is an overflow.
inline double WidebandAfr(double v) {
  const double lambda = WidebandLambda(v);
  const double afr = 14.7 * lambda * 10;
  if (!std::isfinite(afr)) throw Failure(kFloatingPointOverflow);
  return afr;
}

}  // namespace tarvelin
