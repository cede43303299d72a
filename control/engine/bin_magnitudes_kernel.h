// The pruned transform of up to N frames side by side, one frame per vector lane. Included by
// one translation unit per instruction set, each instantiating it for its own lane width; every
// lane does exactly the arithmetic of Fft::Transform, whatever the width.
#pragma once

#include <cmath>
#include <cstdint>

#include "pruned_transform.h"

namespace tonvex {
namespace {

// Lanes is a vector of N doubles, declared by the including unit for its instruction set.
template <typename Lanes, int N>
struct LaneKernel {
  static_assert(sizeof(Lanes) == N * sizeof(double), "one frame per lane");

  // The sum of |x[n] - 128| over a frame, in eight partial sums, which each unit's compiler
  // vectorises for its own instruction set.
  static double Distance(const double* frame) {
    constexpr int32_t kSums = 8;
    double sums[kSums] = {};
    for (int32_t n = 0; n < kFrameSize; n += kSums) {
      for (int32_t s = 0; s < kSums; ++s) sums[s] += std::fabs(frame[n + s] - 128.0);
    }
    double distance = 0.0;
    for (double sum : sums) distance += sum;
    return distance;
  }

  static Lanes Load(const double* s, const int32_t* laneStart) {
    Lanes lanes;
    for (int f = 0; f < N; ++f) lanes[f] = s[laneStart[f]];
    return lanes;
  }

  static void Butterfly(Lanes* re, Lanes* im, int32_t i, int32_t p, double uRe, double uIm) {
    const Lanes tRe = uRe * re[p] - uIm * im[p];
    const Lanes tIm = uRe * im[p] + uIm * re[p];
    re[p] = re[i] - tRe;
    im[p] = im[i] - tIm;
    re[i] = re[i] + tRe;
    im[i] = im[i] + tIm;
  }

  // For frames f = 0..count-1 (1 <= count <= N) starting at samples + f * hop.
  static void Run(const TransformPlan& t, const double* samples, int32_t hop, int32_t count,
                  double* magnitudes) {
    // Lanes beyond count repeat the last frame, so nothing past the caller's samples is read.
    int32_t laneStart[N];
    for (int32_t f = 0; f < N; ++f) laneStart[f] = (f < count ? f : count - 1) * hop;

    Lanes re[kFrameSize];
    Lanes im[kFrameSize];

    // Stages 1 to 3 on groups of eight real samples, kept in registers. The imaginary parts are
    // zero until the stage-2 twiddle, and where a product or sum meets such a zero or the
    // twiddle (1, 0), the other operand passes unchanged, so those operations are left out.
    const Lanes zero = {};
    const double u1Re = t.twiddleRe[2 + 1], u1Im = t.twiddleIm[2 + 1];
    const double v1Re = t.twiddleRe[4 + 1], v1Im = t.twiddleIm[4 + 1];
    const double v2Re = t.twiddleRe[4 + 2], v2Im = t.twiddleIm[4 + 2];
    const double v3Re = t.twiddleRe[4 + 3], v3Im = t.twiddleIm[4 + 3];
    for (int32_t g = 0; g < kFrameSize; g += 8) {
      Lanes xRe[8], xIm[8];
      for (int32_t h = 0; h < 8; h += 4) {
        const Lanes a = Load(samples + t.bitReversed[g + h], laneStart),
                    b = Load(samples + t.bitReversed[g + h + 1], laneStart),
                    c = Load(samples + t.bitReversed[g + h + 2], laneStart),
                    d = Load(samples + t.bitReversed[g + h + 3], laneStart);
        const Lanes sum01 = a + b, diff01 = a - b, sum23 = c + d, diff23 = c - d;
        const Lanes tRe = u1Re * diff23, tIm = u1Im * diff23;
        xRe[h] = sum01 + sum23;
        xRe[h + 1] = diff01 + tRe;
        xIm[h + 1] = tIm;
        xRe[h + 2] = sum01 - sum23;
        xRe[h + 3] = diff01 - tRe;
        xIm[h + 3] = -tIm;
      }
      // Stage 3: k = 0 and k = 2 meet real values at p.
      re[g] = xRe[0] + xRe[4];
      im[g] = zero;
      re[g + 4] = xRe[0] - xRe[4];
      im[g + 4] = zero;
      const Lanes t2Re = v2Re * xRe[6], t2Im = v2Im * xRe[6];
      re[g + 2] = xRe[2] + t2Re;
      im[g + 2] = t2Im;
      re[g + 6] = xRe[2] - t2Re;
      im[g + 6] = -t2Im;
      const Lanes t1Re = v1Re * xRe[5] - v1Im * xIm[5], t1Im = v1Re * xIm[5] + v1Im * xRe[5];
      re[g + 1] = xRe[1] + t1Re;
      im[g + 1] = xIm[1] + t1Im;
      re[g + 5] = xRe[1] - t1Re;
      im[g + 5] = xIm[1] - t1Im;
      const Lanes t3Re = v3Re * xRe[7] - v3Im * xIm[7], t3Im = v3Re * xIm[7] + v3Im * xRe[7];
      re[g + 3] = xRe[3] + t3Re;
      im[g + 3] = xIm[3] + t3Im;
      re[g + 7] = xRe[3] - t3Re;
      im[g + 7] = xIm[3] - t3Im;
    }

    for (size_t s = 0; s < t.stageCount; ++s) {
      const int32_t half = t.stages[s].half;
      for (size_t o = 0; o < t.stages[s].offsetCount; ++o) {
        const int32_t k = t.stages[s].offsets[o];
        const double uRe = t.twiddleRe[half + k];
        const double uIm = t.twiddleIm[half + k];
        for (int32_t i = k; i < kFrameSize; i += 2 * half) Butterfly(re, im, i, i + half, uRe, uIm);
      }
    }

    const size_t binCount = t.binCount;
    for (size_t b = 0; b < binCount; ++b) {
      const Lanes binRe = re[t.bins[b]] / static_cast<double>(kFrameSize);
      const Lanes binIm = im[t.bins[b]] / static_cast<double>(kFrameSize);
      const Lanes squared = binRe * binRe + binIm * binIm;
      for (int32_t f = 0; f < count; ++f) magnitudes[f * binCount + b] = std::sqrt(squared[f]);
    }
  }
};

}  // namespace
}  // namespace tonvex
