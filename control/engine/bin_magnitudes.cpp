#include "bin_magnitudes.h"

#include <algorithm>
#include <cmath>
#include <set>

#include "fft.h"

namespace tonvex {
namespace {

constexpr double kZeroLine = 128.0;  // the level of silence in 8-bit unsigned samples
constexpr int kFirstPrunedLog2 = 4;  // stages 1 to 3 run whole on real input, later ones pruned

// The widest kernels this build and this processor both have.
TransformKernel ChooseKernel(int32_t widestLanes, int32_t& lanes, DistanceKernel& distance) {
#if defined(TONVEX_HAVE_AVX2_KERNEL)
  if (widestLanes >= 4 && __builtin_cpu_supports("avx2")) {
    lanes = 4;
    distance = &DistanceFourLanes;
    return &TransformFourLanes;
  }
#endif
  (void)widestLanes;
  lanes = 2;
  distance = &DistanceTwoLanes;
  return &TransformTwoLanes;
}

}  // namespace

BinMagnitudes::BinMagnitudes(int32_t widestLanes)
    : kernel_(ChooseKernel(widestLanes, lanes_, distance_)) {
  // The permutation of the transform's reordering loop.
  for (int32_t i = 0; i < kFrameSize; ++i) {
    int32_t reversed = 0;
    for (int b = 0; b < kFrameLog2; ++b) reversed |= ((i >> b) & 1) << (kFrameLog2 - 1 - b);
    bitReversed_[i] = static_cast<uint8_t>(reversed);
  }

  // The same running product as the transform: u_0 = 1, u_{k+1} = u_k * w.
  double angle = kTransformPi;
  for (int32_t half = 1; half < kFrameSize; half *= 2) {
    const double wRe = std::cos(angle);
    const double wIm = std::sin(-1.0 * angle);
    double uRe = 1.0;
    double uIm = 0.0;
    for (int32_t k = 0; k < half; ++k) {
      twiddleRe_[half + k] = uRe;
      twiddleIm_[half + k] = uIm;
      const double nextRe = uRe * wRe - uIm * wIm;
      uIm = uRe * wIm + uIm * wRe;
      uRe = nextRe;
    }
    angle /= 2.0;
  }
}

void BinMagnitudes::Plan(const std::vector<int32_t>& bins) {
  bins_.clear();
  for (int32_t bin : bins) {
    if (bin >= 0 && bin < kFrameSize) bins_.push_back(bin);
  }
  // After the stage of block size m, X[bin] needs element bin mod m of every block; the
  // butterfly that yields it has offset (bin mod m) mod (m / 2).
  prunedStages_.clear();
  for (int32_t log2 = kFirstPrunedLog2; log2 <= kFrameLog2; ++log2) {
    const int32_t blockSize = 1 << log2;
    std::set<int32_t> offsets;
    for (int32_t bin : bins_) offsets.insert((bin % blockSize) % (blockSize / 2));
    prunedStages_.push_back(Stage{blockSize / 2, {offsets.begin(), offsets.end()}});
  }
  stageViews_.clear();
  for (const Stage& stage : prunedStages_) {
    stageViews_.push_back({stage.half, stage.offsets.data(), stage.offsets.size()});
  }

  // The gains of the bound, measured on the transform itself.
  impulseGain_ = 0.0;
  lineLeak_ = 0.0;
  std::vector<double> magnitudes(bins_.size());
  std::array<double, kFrameSize> frame{};
  for (int32_t n = 0; n < kFrameSize && !bins_.empty(); ++n) {
    frame.fill(0.0);
    frame[n] = 1.0;
    Magnitudes(frame.data(), 0, 1, magnitudes.data());
    for (double m : magnitudes) impulseGain_ = std::max(impulseGain_, m);
  }
  frame.fill(kZeroLine);
  if (!bins_.empty()) Magnitudes(frame.data(), 0, 1, magnitudes.data());
  for (double m : magnitudes) lineLeak_ = std::max(lineLeak_, m);
}

double BinMagnitudes::MagnitudeBound(const double* frame) const {
  // The partial sums' order changes the sum by far less than the margin below.
  const double distance = distance_(frame);
  // Margins far above the rounding of the transform's eight stages and of the gains.
  const double bound = impulseGain_ * distance + lineLeak_;
  return bound * (1.0 + 1e-6) + 1e-9 * (distance + kFrameSize * kZeroLine);
}

void BinMagnitudes::Magnitudes(const double* samples, int32_t hop, int32_t count,
                               double* magnitudes) const {
  if (count < 1) return;
  const TransformPlan plan = {bins_.data(),      bins_.size(),      bitReversed_.data(),
                              twiddleRe_.data(), twiddleIm_.data(), stageViews_.data(),
                              stageViews_.size()};
  kernel_(plan, samples, hop, count < lanes_ ? count : lanes_, magnitudes);
}

}  // namespace tonvex
