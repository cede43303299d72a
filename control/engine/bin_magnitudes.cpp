#include "bin_magnitudes.h"

#include <algorithm>
#include <cmath>
#include <set>

#include "fft.h"

namespace tonvex {
namespace {

// Element-wise vector arithmetic: each lane rounds exactly as scalar code would. Two lanes fill
// one SSE2 register, the baseline of both targets.
typedef double Lanes __attribute__((vector_size(BinMagnitudes::kMaxFrames * sizeof(double))));

// Stages 1 to 3 run whole on real input, later stages only where needed.
constexpr double kZeroLine = 128.0;  // the level of silence in 8-bit unsigned samples
constexpr int kFirstPrunedLog2 = 4;

inline void Butterfly(Lanes* re, Lanes* im, int32_t i, int32_t p, double uRe, double uIm) {
  const Lanes tRe = uRe * re[p] - uIm * im[p];
  const Lanes tIm = uRe * im[p] + uIm * re[p];
  re[p] = re[i] - tRe;
  im[p] = im[i] - tIm;
  re[i] = re[i] + tRe;
  im[i] = im[i] + tIm;
}

}  // namespace

BinMagnitudes::BinMagnitudes() {
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
  // Eight partial sums keep the loop short; their order changes the sum by far less than the
  // margin below.
  constexpr int32_t kSums = 8;
  double sums[kSums] = {};
  for (int32_t n = 0; n < kFrameSize; n += kSums) {
    for (int32_t s = 0; s < kSums; ++s) sums[s] += std::fabs(frame[n + s] - kZeroLine);
  }
  double distance = 0.0;
  for (double sum : sums) distance += sum;
  // Margins far above the rounding of the transform's eight stages and of the gains.
  const double bound = impulseGain_ * distance + lineLeak_;
  return bound * (1.0 + 1e-6) + 1e-9 * (distance + kFrameSize * kZeroLine);
}

void BinMagnitudes::Magnitudes(const double* samples, int32_t hop, int32_t count,
                               double* magnitudes) const {
  if (count < 1) return;
  if (count > kMaxFrames) count = kMaxFrames;
  // Lanes beyond count repeat the last frame, so nothing past the caller's samples is read.
  int32_t laneStart[kMaxFrames];
  for (int32_t f = 0; f < kMaxFrames; ++f) laneStart[f] = (f < count ? f : count - 1) * hop;

  Lanes re[kFrameSize];
  Lanes im[kFrameSize];

  // Stages 1 to 3 on groups of eight real samples, kept in registers. The imaginary parts are
  // zero until the stage-2 twiddle, and where a product or sum meets such a zero or the
  // twiddle (1, 0), the other operand passes unchanged, so those operations are left out.
  const Lanes zero = {};
  auto load = [&](int32_t g) {
    const double* s = samples + bitReversed_[g];
    return Lanes{s[laneStart[0]], s[laneStart[1]]};
  };
  const double u1Re = twiddleRe_[2 + 1], u1Im = twiddleIm_[2 + 1];
  const double v1Re = twiddleRe_[4 + 1], v1Im = twiddleIm_[4 + 1];
  const double v2Re = twiddleRe_[4 + 2], v2Im = twiddleIm_[4 + 2];
  const double v3Re = twiddleRe_[4 + 3], v3Im = twiddleIm_[4 + 3];
  for (int32_t g = 0; g < kFrameSize; g += 8) {
    Lanes xRe[8], xIm[8];
    for (int32_t h = 0; h < 8; h += 4) {
      const Lanes a = load(g + h), b = load(g + h + 1), c = load(g + h + 2), d = load(g + h + 3);
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

  for (const Stage& stage : prunedStages_) {
    const int32_t half = stage.half;
    for (int32_t k : stage.offsets) {
      const double uRe = twiddleRe_[half + k];
      const double uIm = twiddleIm_[half + k];
      for (int32_t i = k; i < kFrameSize; i += 2 * half) Butterfly(re, im, i, i + half, uRe, uIm);
    }
  }

  const size_t binCount = bins_.size();
  for (size_t b = 0; b < binCount; ++b) {
    const Lanes binRe = re[bins_[b]] / static_cast<double>(kFrameSize);
    const Lanes binIm = im[bins_[b]] / static_cast<double>(kFrameSize);
    const Lanes squared = binRe * binRe + binIm * binIm;
    for (int32_t f = 0; f < count; ++f) magnitudes[f * binCount + b] = std::sqrt(squared[f]);
  }
}

}  // namespace tonvex
