// Four frames side by side in an AVX2 register. Built with -mavx2 and called only when the
// processor has it; the lanes round exactly as the two-lane kernel does (no fused operations).
#include "bin_magnitudes_kernel.h"

namespace tonvex {
namespace {
typedef double Lanes4 __attribute__((vector_size(32)));
}  // namespace

void TransformFourLanes(const TransformPlan& plan, const double* samples, int32_t hop,
                        int32_t count, double* magnitudes) {
  LaneKernel<Lanes4, 4>::Run(plan, samples, hop, count, magnitudes);
}

double DistanceFourLanes(const double* frame) { return LaneKernel<Lanes4, 4>::Distance(frame); }

}  // namespace tonvex
