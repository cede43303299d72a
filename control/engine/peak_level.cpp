#include "peak_level.h"

#include <cmath>

namespace tonvex {

int32_t PeakLevel(const double* samples, size_t count) {
  double peak = 0.0;
  for (size_t i = 0; i < count; ++i) {
    const double distance = std::fabs(samples[i] - 127.0);
    if (distance > peak) peak = distance;
  }
  // Only a sample of 255 reaches 128.
  return peak >= 128.0 ? 127 : static_cast<int32_t>(peak);
}

}  // namespace tonvex
