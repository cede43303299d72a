// Two frames side by side in an SSE2 register, the baseline of every target.
#include "bin_magnitudes_kernel.h"

namespace tonvex {
namespace {
typedef double Lanes2 __attribute__((vector_size(16)));
}  // namespace

void TransformTwoLanes(const TransformPlan& plan, const double* samples, int32_t hop, int32_t count,
                       double* magnitudes) {
  LaneKernel<Lanes2, 2>::Run(plan, samples, hop, count, magnitudes);
}

double DistanceTwoLanes(const double* frame) { return LaneKernel<Lanes2, 2>::Distance(frame); }

}  // namespace tonvex
