#include "fft.h"

#include <cmath>
#include <utility>

namespace tonvex {

void Fft::Transform(double* Re, double* Im, int32_t Log2N, double Sign) const {
  if (Log2N < 0 || Log2N > 30) return;
  const int32_t n = static_cast<int32_t>(std::pow(2.0, Log2N));

  int32_t j = 0;
  for (int32_t i = 0; i <= n - 2; ++i) {
    if (i <= j) {
      std::swap(Re[i], Re[j]);
      std::swap(Im[i], Im[j]);
    }
    int32_t k = n / 2;
    while (k <= j) {
      j -= k;
      k /= 2;
    }
    j += k;
  }

  double angle = kTransformPi;
  for (int32_t half = 1; half < n; half *= 2) {
    const double wRe = std::cos(angle);
    const double wIm = std::sin(Sign * angle);
    double uRe = 1.0;
    double uIm = 0.0;
    for (int32_t k = 0; k < half; ++k) {
      for (int32_t i = k; i < n; i += 2 * half) {
        const int32_t p = i + half;
        const double tRe = uRe * Re[p] - uIm * Im[p];
        const double tIm = uRe * Im[p] + uIm * Re[p];
        Re[p] = Re[i] - tRe;
        Im[p] = Im[i] - tIm;
        Re[i] = Re[i] + tRe;
        Im[i] = Im[i] + tIm;
      }
      const double nextRe = uRe * wRe - uIm * wIm;
      uIm = uRe * wIm + uIm * wRe;
      uRe = nextRe;
    }
    angle /= 2.0;
  }

  if (Sign < 0) {
    for (int32_t i = 0; i < n; ++i) {
      Re[i] /= n;
      Im[i] /= n;
    }
  }
}

}  // namespace tonvex
