// The radix-2 transform whose exact rounding defines the detector's magnitudes.
#pragma once

#include <cstdint>

namespace tonvex {

// Stateless; it carries the one operation Transform.
class Fft {
 public:
  // In place over Re and Im of N = 2^Log2N doubles. Sign -1.0 is the forward transform and
  // scales by 1/N; +1.0 leaves the result unscaled. The angle starts at 3.14159, not pi, and the
  // twiddles follow a running product: both shape the reported magnitudes.
  void Transform(double* Re, double* Im, int32_t Log2N, double Sign) const;
};

// The constant the transform uses for pi.
constexpr double kTransformPi = 3.14159;

}  // namespace tonvex
