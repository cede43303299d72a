#include "bin_spectrum.h"

#include <cmath>
#include <set>

#include "fft.h"

namespace tonvex {
namespace {

// Stages 1 and 2 run on real input; stage 3 runs whole; later stages run only what is needed.
constexpr int kFirstPrunedLog2 = 3;

}  // namespace

BinSpectrum::BinSpectrum() {
  // The bit reversal of the transform's reordering loop.
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

void BinSpectrum::Plan(const std::vector<int32_t>& bins) {
  bins_.clear();
  for (int32_t bin : bins) {
    if (bin >= 0 && bin < kFrameSize) bins_.push_back(bin);
  }

  prunedStages_.clear();
  // After the stage of block size m, X[bin] needs element bin mod m of every block; the
  // butterfly that yields it has offset (bin mod m) mod (m / 2).
  for (int32_t log2 = kFirstPrunedLog2 + 1; log2 <= kFrameLog2; ++log2) {
    const int32_t blockSize = 1 << log2;
    std::set<int32_t> offsets;
    for (int32_t bin : bins_) offsets.insert((bin % blockSize) % (blockSize / 2));
    prunedStages_.push_back(Stage{blockSize / 2, {offsets.begin(), offsets.end()}});
  }
}

void BinSpectrum::Magnitudes(const double* frame, double* magnitudes) const {
  alignas(64) double re[kFrameSize];
  alignas(64) double im[kFrameSize];

  // Stages 1 and 2 on real samples: imaginary parts are zero until the stage-2 twiddle, and
  // products and sums with those zeros leave the other operand unchanged.
  const double u1Re = twiddleRe_[2 + 1];
  const double u1Im = twiddleIm_[2 + 1];
  for (int32_t g = 0; g < kFrameSize; g += 4) {
    const double a = frame[bitReversed_[g]];
    const double b = frame[bitReversed_[g + 1]];
    const double c = frame[bitReversed_[g + 2]];
    const double d = frame[bitReversed_[g + 3]];
    const double sum01 = a + b;
    const double diff01 = a - b;
    const double sum23 = c + d;
    const double diff23 = c - d;
    const double tRe = u1Re * diff23;
    const double tIm = u1Im * diff23;
    re[g] = sum01 + sum23;
    im[g] = 0.0;
    re[g + 2] = sum01 - sum23;
    im[g + 2] = 0.0;
    re[g + 1] = diff01 + tRe;
    im[g + 1] = tIm;
    re[g + 3] = diff01 - tRe;
    im[g + 3] = -tIm;
  }

  // Stage 3 in full.
  {
    constexpr int32_t half = 4;
    for (int32_t block = 0; block < kFrameSize; block += 2 * half) {
      for (int32_t k = 0; k < half; ++k) {
        const int32_t i = block + k;
        const int32_t p = i + half;
        const double uRe = twiddleRe_[half + k];
        const double uIm = twiddleIm_[half + k];
        const double tRe = uRe * re[p] - uIm * im[p];
        const double tIm = uRe * im[p] + uIm * re[p];
        re[p] = re[i] - tRe;
        im[p] = im[i] - tIm;
        re[i] = re[i] + tRe;
        im[i] = im[i] + tIm;
      }
    }
  }

  for (const Stage& stage : prunedStages_) {
    const int32_t half = stage.half;
    for (int32_t k : stage.twiddles) {
      const double uRe = twiddleRe_[half + k];
      const double uIm = twiddleIm_[half + k];
      for (int32_t i = k; i < kFrameSize; i += 2 * half) {
        const int32_t p = i + half;
        const double tRe = uRe * re[p] - uIm * im[p];
        const double tIm = uRe * im[p] + uIm * re[p];
        re[p] = re[i] - tRe;
        im[p] = im[i] - tIm;
        re[i] = re[i] + tRe;
        im[i] = im[i] + tIm;
      }
    }
  }

  for (size_t b = 0; b < bins_.size(); ++b) {
    const double binRe = re[bins_[b]] / kFrameSize;
    const double binIm = im[bins_[b]] / kFrameSize;
    magnitudes[b] = std::sqrt(binRe * binRe + binIm * binIm);
  }
}

}  // namespace tonvex
