// Magnitudes of real frames at a few bins, equal bit for bit to Fft::Transform's.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "pruned_transform.h"

namespace tonvex {

// Runs only the butterflies whose results reach the chosen bins, with the twiddles of the
// running product computed once, and transforms several frames side by side in vector lanes.
// Each lane does exactly the arithmetic of Fft::Transform, so the magnitudes match it.
class BinMagnitudes {
 public:
  static constexpr int kMaxFrames = 4;  // the most frames any kernel transforms together

  // The widest kernel that this build, this processor and widestLanes allow.
  explicit BinMagnitudes(int32_t widestLanes = kMaxFrames);
  // Frames transformed together: 4 on a processor with AVX2, else 2.
  int32_t Lanes() const { return lanes_; }
  // Chooses the bins; those outside 0..kFrameSize-1 are ignored.
  void Plan(const std::vector<int32_t>& bins);

  // For frames f = 0..count-1 (count at most Lanes()) starting at samples + f * hop:
  // magnitudes[f * Bins().size() + i] = |X[Bins()[i]]| of the frame's forward transform.
  void Magnitudes(const double* samples, int32_t hop, int32_t count, double* magnitudes) const;

  const std::vector<int32_t>& Bins() const { return bins_; }

  // An upper bound on every magnitude Magnitudes() gives for this frame at the planned bins,
  // from its distance to the zero line alone: far cheaper than the transform, and enough to
  // prove most frames of a real recording too quiet to decide anything. NaN for a frame that
  // holds NaN, so such a frame is never taken for quiet.
  double MagnitudeBound(const double* frame) const;

 private:
  struct Stage {
    int32_t half = 0;
    std::vector<int32_t> offsets;  // butterfly offsets k within a block that must be computed
  };

  int32_t lanes_ = 2;
  DistanceKernel distance_ = nullptr;
  TransformKernel kernel_;
  std::vector<int32_t> bins_;
  std::array<uint8_t, kFrameSize> bitReversed_{};
  // Twiddle u_k of the stage with half-span h at [h + k], as the running product leaves it.
  std::array<double, kFrameSize> twiddleRe_{};
  std::array<double, kFrameSize> twiddleIm_{};
  std::vector<Stage> prunedStages_;
  std::vector<PrunedStage> stageViews_;
  // The transform is linear: |X[bin]| <= sum over n of |X_n[bin]| |x[n] - 128| + |X_128[bin]|,
  // with X_n the transform of a unit impulse at n and X_128 that of the zero line.
  double impulseGain_ = 0.0;  // the largest |X_n[bin]| over n and the planned bins
  double lineLeak_ = 0.0;     // the largest |X_128[bin]|: the zero line is no exact DC
};

}  // namespace tonvex
