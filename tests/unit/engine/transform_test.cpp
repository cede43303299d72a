#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include "bin_magnitudes.h"
#include "fft.h"
#include "test_signal.h"

namespace {

using testsignal::Signal;
using tonvex::BinMagnitudes;
using tonvex::Fft;

const std::vector<int32_t> kTableBins = {22, 31, 16, 28, 34, 18, 20, 38, 9};

// Magnitudes of the straightforward transform at the given bins.
std::vector<double> ReferenceMagnitudes(const double* frame, const std::vector<int32_t>& bins) {
  double re[256], im[256];
  for (int i = 0; i < 256; ++i) {
    re[i] = frame[i];
    im[i] = 0.0;
  }
  Fft().Transform(re, im, 8, -1.0);
  std::vector<double> magnitudes;
  for (int32_t bin : bins) magnitudes.push_back(std::sqrt(re[bin] * re[bin] + im[bin] * im[bin]));
  return magnitudes;
}

double BinFrequency(int bin) { return bin * testsignal::kRate / 256.0; }

TEST(Transform, TonesOnBinsGiveHalfTheirAmplitudeAndTheSensitivityDependsOnTheirPhase) {
  for (const bool cosine : {false, true}) {
    const auto frame =
        Signal()
            .Tones({{BinFrequency(16), 20.0, cosine}, {BinFrequency(28), 20.0, cosine}}, 256)
            .Samples();
    const std::vector<double> m = ReferenceMagnitudes(frame.data(), {16, 28});
    EXPECT_NEAR(m[0], 10.0, 1e-5);
    EXPECT_NEAR(m[1], 10.0, 1e-5);
    // The running twiddle product from 3.14159 leaves sines just above 10 and cosines below.
    EXPECT_EQ(static_cast<int>((m[0] + m[1]) * 5.0), cosine ? 99 : 100) << "cosine=" << cosine;
  }
}

TEST(Transform, InverseRestoresTheInput) {
  std::mt19937 random(3);
  std::uniform_real_distribution<double> sample(0.0, 255.0);
  double re[256], im[256], original[256];
  for (int i = 0; i < 256; ++i) {
    original[i] = re[i] = sample(random);
    im[i] = 0.0;
  }
  Fft().Transform(re, im, 8, -1.0);
  Fft().Transform(re, im, 8, +1.0);
  for (int i = 0; i < 256; ++i) {
    // The twiddles stand for pi with 3.14159, so the round trip is close, not exact.
    EXPECT_NEAR(re[i], original[i], 0.05) << i;
    EXPECT_NEAR(im[i], 0.0, 0.05) << i;
  }
}

TEST(Transform, ConstantFrameLeavesTheTableBinsNearZero) {
  const auto frame = Signal().Silence(256, 200.0).Samples();
  for (double magnitude : ReferenceMagnitudes(frame.data(), kTableBins)) EXPECT_LT(magnitude, 1e-3);
}

// Frames of many kinds: the fast spectrum must match the straightforward one to the last bit,
// or a truncated Sensitivity or a threshold decision could differ.
std::vector<std::vector<double>> VarietyOfLines() {
  std::vector<std::vector<double>> lines;
  std::mt19937 random(11);
  std::uniform_int_distribution<int> byte(0, 255);
  std::vector<double> noise(2000);
  for (double& s : noise) s = byte(random);
  lines.push_back(noise);
  lines.push_back(testsignal::DialSequence("0123456789ABCD*#", 40, 20, 60.0));
  lines.push_back(Signal().Tones({{400.0, 100.0}}, 2000).Quantise().Samples());
  lines.push_back(Signal().Key('5', 127.0, 2000).Quantise().Samples());  // clipped
  std::vector<double> extremes(2000);
  for (size_t i = 0; i < extremes.size(); ++i) extremes[i] = (i * 7919 % 3 == 0) ? 0.0 : 255.0;
  lines.push_back(extremes);
  lines.push_back(Signal().Silence(600, 0.0).Silence(600, 255.0).Samples());
  return lines;
}

TEST(BinMagnitudes, EveryKernelMatchesTheStraightforwardTransformBitForBit) {
  for (const int32_t widest : {2, 4}) {
    BinMagnitudes spectrum(widest);
    spectrum.Plan(kTableBins);
    ASSERT_EQ(spectrum.Bins(), kTableBins);
    const int32_t lanes = spectrum.Lanes();
    int frames = 0;
    for (const auto& line : VarietyOfLines()) {
      for (size_t start = 0; start + 256 + 85 * (lanes - 1) <= line.size(); start += 85) {
        double fast[4 * 9];
        spectrum.Magnitudes(line.data() + start, 85, lanes, fast);
        for (int lane = 0; lane < lanes; ++lane) {
          const auto reference = ReferenceMagnitudes(line.data() + start + 85 * lane, kTableBins);
          for (size_t b = 0; b < kTableBins.size(); ++b) {
            ASSERT_EQ(fast[lane * 9 + b], reference[b])
                << lanes << " lanes, bin " << kTableBins[b] << " at sample " << start + 85 * lane;
          }
        }
        double single[9];
        spectrum.Magnitudes(line.data() + start, 0, 1, single);
        for (size_t b = 0; b < kTableBins.size(); ++b) ASSERT_EQ(single[b], fast[b]);
        ++frames;
      }
    }
    EXPECT_GT(frames, 100);
  }
}

TEST(BinMagnitudes, BoundHoldsForEveryFrameAndProvesQuietLinesQuiet) {
  BinMagnitudes spectrum;
  spectrum.Plan(kTableBins);
  // Dithered silence, where the bound is meant to spare the transform.
  std::mt19937 random(5);
  std::uniform_int_distribution<int> dither(-2, 2);
  std::vector<double> silence(3000);
  for (double& s : silence) s = 128 + dither(random);
  auto lines = VarietyOfLines();
  lines.push_back(silence);
  for (const auto& line : lines) {
    for (size_t start = 0; start + 256 <= line.size(); start += 85) {
      double magnitudes[9];
      spectrum.Magnitudes(line.data() + start, 0, 1, magnitudes);
      const double bound = spectrum.MagnitudeBound(line.data() + start);
      for (double magnitude : magnitudes) ASSERT_LE(magnitude, bound) << "at sample " << start;
      // The threshold of the default Sensitivity 50.
      if (&line == &lines.back()) {
        EXPECT_LT(bound, 5.0) << "silence at sample " << start;
      }
    }
  }
  const std::vector<double> poisoned(256, std::nan(""));
  EXPECT_FALSE(spectrum.MagnitudeBound(poisoned.data()) < 5.0);
}

TEST(BinMagnitudes, AnyBinsMatchToo) {
  std::vector<int32_t> everyBin;
  for (int32_t b = 0; b < 256; ++b) everyBin.push_back(b);
  BinMagnitudes spectrum;
  spectrum.Plan(everyBin);
  const auto line = VarietyOfLines()[0];
  std::vector<double> fast(256);
  spectrum.Magnitudes(line.data(), 0, 1, fast.data());
  const auto reference = ReferenceMagnitudes(line.data(), everyBin);
  for (int32_t b = 0; b < 256; ++b) ASSERT_EQ(fast[b], reference[b]) << "bin " << b;
}

}  // namespace
