#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "fake_site.h"
#include "fake_wave_in.h"
#include "fft.h"
#include "test_signal.h"
#include "tonvex_ctrl.h"

namespace {

using testsignal::Signal;
using tonvex::dispid::kDtmfHit;

std::vector<double> KeyFrame(char key, double amplitude = 40.0) {
  return Signal().Key(key, amplitude, 256).Samples();
}
std::vector<double> QuietFrame() { return Signal().Silence(256).Samples(); }
std::vector<double> FourHundredFrame(double amplitude = 60.0) {
  return Signal().Tones({{400.0, amplitude}}, 256).Samples();
}

// (low + high peak magnitude) of the straightforward transform at the given bins.
double Strength(const std::vector<double>& frame, int lowBin, int highBin) {
  double re[256], im[256];
  for (int i = 0; i < 256; ++i) {
    re[i] = frame[i];
    im[i] = 0.0;
  }
  tonvex::Fft().Transform(re, im, 8, -1.0);
  auto magnitude = [&](int b) { return std::sqrt(re[b] * re[b] + im[b] * im[b]); };
  return magnitude(lowBin) + magnitude(highBin);
}

class FrameAnalysis : public ::testing::Test {
 protected:
  FrameAnalysis() : control(site, wave) {
    control.Ring.Allocate(110250);
    control.ArmAnalysis();
  }

  // Analyses one frame of exactly these 256 samples.
  void Frame(const std::vector<double>& samples, int times = 1) {
    for (int i = 0; i < times; ++i) {
      control.Ring.Skip(control.Ring.Used());
      control.Ring.Push(samples.data(), 256);
      control.AnalyseFrame();
    }
  }

  // Feeds samples as the search ticks do; returns the index of each reporting frame.
  std::vector<uint64_t> Stream(const std::vector<double>& samples) {
    std::vector<uint64_t> frames;
    uint64_t pushed = 0;
    site.onEvent = [&](const FiredEvent&) {
      frames.push_back((pushed - control.Ring.Used()) / tonvex::kFrameHop - 1);
    };
    for (size_t at = 0; at < samples.size(); at += 1102) {
      const uint32_t n = static_cast<uint32_t>(std::min<size_t>(1102, samples.size() - at));
      control.Ring.Push(samples.data() + at, n);
      pushed += n;
      control.AnalysePending();
    }
    return frames;
  }

  FakeSite site;
  FakeWaveIn wave;
  tonvex::CTonvexCtrl control;
};

TEST_F(FrameAnalysis, KeyIsReportedAtItsFourthLoudFrameWithItsMeasurements) {
  const auto frame = KeyFrame('1');
  Frame(frame, 3);
  EXPECT_TRUE(site.events.empty());
  Frame(frame);
  ASSERT_EQ(site.events.size(), 1u);
  const FiredEvent& hit = site.events[0];
  EXPECT_EQ(hit.dispid, kDtmfHit);
  EXPECT_EQ(hit.Int(0), 49);
  EXPECT_EQ(hit.Int(1), 80);  // the frame's peak: 128 +- up to 80
  EXPECT_EQ(hit.Int(2), static_cast<int32_t>(Strength(frame, 16, 28) * 5.0));
  EXPECT_EQ(hit.Int(3), 110250 - (256 - 85));  // free slots after the frame's skip
  EXPECT_EQ(control.LastKeyRow, 1);
  EXPECT_EQ(control.Reported, 1);
}

TEST_F(FrameAnalysis, BinCentredTonesOfAmplitudeTwentyReportSensitivityOneHundred) {
  const auto frame =
      Signal().Tones({{16 * 11025.0 / 256, 20.0}, {28 * 11025.0 / 256, 20.0}}, 256).Samples();
  Frame(frame, 4);
  ASSERT_EQ(site.events.size(), 1u);
  EXPECT_EQ(site.events[0].Int(0), 49);
  EXPECT_EQ(site.events[0].Int(2), 100);
}

TEST_F(FrameAnalysis, HeldKeyIsReportedOnceAndAgainAfterOneQuietFrame) {
  Frame(KeyFrame('7'), 40);
  EXPECT_EQ(site.Keys(), "7");
  Frame(QuietFrame());
  Frame(KeyFrame('7'), 4);
  EXPECT_EQ(site.Keys(), "77");
}

TEST_F(FrameAnalysis, EveryQuietFrameClearsTheCount) {
  // No tolerance of gaps, not even right after the control was created.
  Frame(KeyFrame('2'), 2);
  Frame(QuietFrame());
  Frame(KeyFrame('2'), 2);
  Frame(Signal().Silence(256, 200.0).Samples());  // any constant level is quiet
  Frame(KeyFrame('2'), 3);
  EXPECT_TRUE(site.events.empty());
}

TEST_F(FrameAnalysis, ChangeOfKeyClearsBothCountsSoTheNewKeyNeedsFiveFrames) {
  Frame(KeyFrame('5'), 3);
  Frame(KeyFrame('8'), 4);
  EXPECT_TRUE(site.events.empty());
  Frame(KeyFrame('8'));
  EXPECT_EQ(site.Keys(), "8");
}

TEST_F(FrameAnalysis, FourHundredHertzAloneIsReportedAsPAtItsFiftiethFrame) {
  Frame(FourHundredFrame(), 49);
  Frame(QuietFrame());
  EXPECT_TRUE(site.events.empty());
  Frame(FourHundredFrame(), 50);
  ASSERT_EQ(site.events.size(), 1u);
  EXPECT_EQ(site.events[0].Int(0), 80);
}

TEST_F(FrameAnalysis, PeaksThatFormNoKeyCountForNothingAndBreakARun) {
  const auto mixed = Signal().Tones({{400.0, 40.0}, {1336.0, 50.0}}, 256).Samples();
  Frame(mixed, 60);
  EXPECT_TRUE(site.events.empty());
  // Had the mixed frame counted for "0", the fourth "0" frame would report.
  Frame(KeyFrame('0'), 3);
  Frame(mixed);
  Frame(KeyFrame('0'), 3);
  EXPECT_TRUE(site.events.empty());
  Frame(KeyFrame('0'));
  EXPECT_EQ(site.Keys(), "0");
}

TEST_F(FrameAnalysis, MeanPeakMagnitudeEqualToTheThresholdIsLoud) {
  const auto frame = KeyFrame('9', 10.0);
  const double halfStrength = Strength(frame, 20, 34) * 0.5;
  control.Threshold = std::nextafter(halfStrength, 1e9);
  Frame(frame, 10);
  EXPECT_TRUE(site.events.empty());
  control.Threshold = halfStrength;
  Frame(frame, 4);
  EXPECT_EQ(site.Keys(), "9");
}

TEST_F(FrameAnalysis, EqualMagnitudesKeepTheBinMetFirstInTableOrder) {
  // All magnitudes of a zero frame are 0: the first row's bins win both groups.
  control.Threshold = 0.0;
  Frame(Signal().Silence(256, 0.0).Samples(), 4);
  EXPECT_EQ(site.Keys(), "0");
}

TEST_F(FrameAnalysis, LevelIsTheLargestDistanceFromTheZeroLineCappedAt127) {
  for (const double extreme : {255.0, 0.0}) {
    auto frame = KeyFrame('4');
    frame[100] = extreme;
    control.Reported = 0;
    site.events.clear();
    Frame(frame, 4);
    ASSERT_EQ(site.events.size(), 1u) << extreme;
    EXPECT_EQ(site.events[0].Int(1), 127) << extreme;
  }
}

TEST_F(FrameAnalysis, StreamedKeysAreReportedWhen511SamplesOfThemWereAnalysed) {
  // Frame k holds samples 85k to 85k+255; frame 3 is the first to end past sample 510.
  const auto frames = Stream(Signal().Key('6', 40.0, 1102).Silence(2000).Samples());
  ASSERT_EQ(frames.size(), 1u);
  EXPECT_EQ(frames[0], 3u);
  EXPECT_EQ(site.Keys(), "6");
}

TEST_F(FrameAnalysis, PendingAnalysisLeavesTheLastWholeFrameQueued) {
  std::vector<double> samples(256, 128.0);
  control.Ring.Push(samples.data(), 256);
  control.AnalysePending();
  EXPECT_EQ(control.Ring.Used(), 256u);  // a frame needs more than 256 queued
  control.Ring.Push(samples.data(), 1);
  control.AnalysePending();
  EXPECT_EQ(control.Ring.Used(), 257u - 85u);
}

TEST_F(FrameAnalysis, DialledSequenceStreamsToItsKeysInOrder) {
  Stream(testsignal::DialSequence("0123456789ABCD*#", 100, 100));
  EXPECT_EQ(site.Keys(), "0123456789ABCD*#");
}

}  // namespace
