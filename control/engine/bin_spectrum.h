// Magnitudes of a real frame at a few bins, equal bit for bit to Fft::Transform's.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace tonvex {

constexpr int kFrameLog2 = 8;
constexpr int kFrameSize = 1 << kFrameLog2;

// Runs only the butterflies whose results reach the chosen bins, with the twiddles of the
// running product computed once. Each butterfly is the same arithmetic as in Fft::Transform,
// so the magnitudes match it exactly.
class BinSpectrum {
 public:
  BinSpectrum();
  // Chooses the bins; those outside 0..kFrameSize-1 are ignored.
  void Plan(const std::vector<int32_t>& bins);

  // magnitudes[i] = |X[bins[i]]| of the forward transform of frame (kFrameSize real samples).
  void Magnitudes(const double* frame, double* magnitudes) const;

  const std::vector<int32_t>& Bins() const { return bins_; }

 private:
  struct Stage {
    int32_t half = 0;
    std::vector<int32_t> twiddles;  // butterfly offsets k within a block that must be computed
  };

  std::vector<int32_t> bins_;
  std::array<uint8_t, kFrameSize> bitReversed_{};
  // Twiddle u_k of stage s (half-span 2^s) at [2^s + k]: as the running product leaves it.
  std::array<double, kFrameSize> twiddleRe_{};
  std::array<double, kFrameSize> twiddleIm_{};
  std::vector<Stage> prunedStages_;
};

}  // namespace tonvex
