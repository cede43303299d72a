// Magnitudes of real frames at a few bins, equal bit for bit to Fft::Transform's.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace tonvex {

constexpr int kFrameLog2 = 8;
constexpr int kFrameSize = 1 << kFrameLog2;

// Runs only the butterflies whose results reach the chosen bins, with the twiddles of the
// running product computed once, and transforms several frames side by side in vector lanes.
// Each lane does exactly the arithmetic of Fft::Transform, so the magnitudes match it.
class BinMagnitudes {
 public:
  static constexpr int kMaxFrames = 2;  // frames transformed together

  BinMagnitudes();
  // Chooses the bins; those outside 0..kFrameSize-1 are ignored.
  void Plan(const std::vector<int32_t>& bins);

  // For frames f = 0..count-1 (count at most kMaxFrames) starting at samples + f * hop:
  // magnitudes[f * Bins().size() + i] = |X[Bins()[i]]| of the frame's forward transform.
  void Magnitudes(const double* samples, int32_t hop, int32_t count, double* magnitudes) const;

  const std::vector<int32_t>& Bins() const { return bins_; }

 private:
  struct Stage {
    int32_t half = 0;
    std::vector<int32_t> offsets;  // butterfly offsets k within a block that must be computed
  };

  std::vector<int32_t> bins_;
  std::array<uint8_t, kFrameSize> bitReversed_{};
  // Twiddle u_k of the stage with half-span h at [h + k], as the running product leaves it.
  std::array<double, kFrameSize> twiddleRe_{};
  std::array<double, kFrameSize> twiddleIm_{};
  std::vector<Stage> prunedStages_;
};

}  // namespace tonvex
