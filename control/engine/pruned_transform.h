// The plan of the pruned transform as plain arrays, and its kernels, one per vector width. The
// wide kernel lives in a translation unit built for AVX2, which must share no inline code with
// the rest: hence no container here.
#pragma once

#include <cstddef>
#include <cstdint>

namespace tonvex {

constexpr int kFrameLog2 = 8;
constexpr int kFrameSize = 1 << kFrameLog2;

struct PrunedStage {
  int32_t half;
  const int32_t* offsets;  // butterfly offsets k within a block that must be computed
  size_t offsetCount;
};

struct TransformPlan {
  const int32_t* bins;
  size_t binCount;
  const uint8_t* bitReversed;
  // Twiddle u_k of the stage with half-span h at [h + k], as the running product leaves it.
  const double* twiddleRe;
  const double* twiddleIm;
  const PrunedStage* stages;
  size_t stageCount;
};

// magnitudes[f * binCount + b] = |X[bins[b]]| of frame f = 0..count-1 at samples + f * hop.
using TransformKernel = void (*)(const TransformPlan& plan, const double* samples, int32_t hop,
                                 int32_t count, double* magnitudes);

// The sum of |x[n] - 128| over the kFrameSize samples of a frame.
using DistanceKernel = double (*)(const double* frame);

void TransformTwoLanes(const TransformPlan& plan, const double* samples, int32_t hop, int32_t count,
                       double* magnitudes);
double DistanceTwoLanes(const double* frame);
// Only where the build has them (TONVEX_HAVE_AVX2_KERNEL) and the processor runs AVX2.
void TransformFourLanes(const TransformPlan& plan, const double* samples, int32_t hop,
                        int32_t count, double* magnitudes);
double DistanceFourLanes(const double* frame);

}  // namespace tonvex
