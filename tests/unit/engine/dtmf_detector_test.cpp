#include "dtmf_detector.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "fft.h"
#include "test_signal.h"

namespace {

using testsignal::Signal;

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

struct RecordingSink : tonvex::DtmfHitSink {
  bool OnDtmfHit(const tonvex::DtmfHit& hit) override {
    hits.push_back(hit);
    return true;
  }
  std::string Keys() const {
    std::string keys;
    for (const auto& hit : hits) keys += static_cast<char>(hit.KeyCode);
    return keys;
  }
  std::vector<tonvex::DtmfHit> hits;
};

class FrameAnalysis : public ::testing::Test {
 protected:
  FrameAnalysis() {
    ring.Allocate(110250);
    detector.Arm(50);
  }

  // Analyses one frame of exactly these 256 samples.
  void Frame(const std::vector<double>& samples, int times = 1) {
    for (int i = 0; i < times; ++i) {
      ring.Skip(ring.Used());
      ring.Push(samples.data(), 256);
      detector.AnalyseFrame(ring, sink);
    }
  }

  tonvex::DtmfDetector detector;
  tonvex::SampleRing ring;
  RecordingSink sink;
};

TEST_F(FrameAnalysis, KeyIsReportedAtItsFourthLoudFrameWithItsMeasurements) {
  const auto frame = KeyFrame('1');
  Frame(frame, 3);
  EXPECT_TRUE(sink.hits.empty());
  Frame(frame);
  ASSERT_EQ(sink.hits.size(), 1u);
  const tonvex::DtmfHit& hit = sink.hits[0];
  EXPECT_EQ(hit.KeyCode, 49);
  EXPECT_EQ(hit.Level, 80);  // the frame's peak: 128 +- up to 80
  EXPECT_EQ(hit.Strength, static_cast<int32_t>(Strength(frame, 16, 28) * 5.0));
  EXPECT_EQ(hit.Frame, 3u);
  EXPECT_EQ(detector.LastKeyRow, 1);
  EXPECT_EQ(detector.Reported, 1);
}

TEST_F(FrameAnalysis, BinCentredTonesOfAmplitudeTwentyReportSensitivityOneHundred) {
  const auto frame =
      Signal().Tones({{16 * 11025.0 / 256, 20.0}, {28 * 11025.0 / 256, 20.0}}, 256).Samples();
  Frame(frame, 4);
  ASSERT_EQ(sink.hits.size(), 1u);
  EXPECT_EQ(sink.hits[0].KeyCode, 49);
  EXPECT_EQ(sink.hits[0].Strength, 100);
}

TEST_F(FrameAnalysis, HeldKeyIsReportedOnceAndAgainAfterOneQuietFrame) {
  Frame(KeyFrame('7'), 40);
  EXPECT_EQ(sink.Keys(), "7");
  Frame(QuietFrame());
  Frame(KeyFrame('7'), 4);
  EXPECT_EQ(sink.Keys(), "77");
}

TEST_F(FrameAnalysis, EveryQuietFrameClearsTheCount) {
  // No tolerance of gaps, not even right after the control was created.
  Frame(KeyFrame('2'), 2);
  Frame(QuietFrame());
  Frame(KeyFrame('2'), 2);
  Frame(Signal().Silence(256, 200.0).Samples());  // any constant level is quiet
  Frame(KeyFrame('2'), 3);
  EXPECT_TRUE(sink.hits.empty());
}

TEST_F(FrameAnalysis, ChangeOfKeyClearsBothCountsSoTheNewKeyNeedsFiveFrames) {
  Frame(KeyFrame('5'), 3);
  Frame(KeyFrame('8'), 4);
  EXPECT_TRUE(sink.hits.empty());
  Frame(KeyFrame('8'));
  EXPECT_EQ(sink.Keys(), "8");
}

TEST_F(FrameAnalysis, FourHundredHertzAloneIsReportedAsPAtItsFiftiethFrame) {
  Frame(FourHundredFrame(), 49);
  Frame(QuietFrame());
  EXPECT_TRUE(sink.hits.empty());
  Frame(FourHundredFrame(), 50);
  ASSERT_EQ(sink.hits.size(), 1u);
  EXPECT_EQ(sink.hits[0].KeyCode, 80);
}

TEST_F(FrameAnalysis, PeaksThatFormNoKeyCountForNothingAndBreakARun) {
  const auto mixed = Signal().Tones({{400.0, 40.0}, {1336.0, 50.0}}, 256).Samples();
  Frame(mixed, 60);
  EXPECT_TRUE(sink.hits.empty());
  // Had the mixed frame counted for "0", the fourth "0" frame would report.
  Frame(KeyFrame('0'), 3);
  Frame(mixed);
  Frame(KeyFrame('0'), 3);
  EXPECT_TRUE(sink.hits.empty());
  Frame(KeyFrame('0'));
  EXPECT_EQ(sink.Keys(), "0");
}

TEST_F(FrameAnalysis, MeanPeakMagnitudeEqualToTheThresholdIsLoud) {
  const auto frame = KeyFrame('9', 10.0);
  const double halfStrength = Strength(frame, 20, 34) * 0.5;
  detector.Threshold = std::nextafter(halfStrength, 1e9);
  Frame(frame, 10);
  EXPECT_TRUE(sink.hits.empty());
  detector.Threshold = halfStrength;
  Frame(frame, 4);
  EXPECT_EQ(sink.Keys(), "9");
}

TEST_F(FrameAnalysis, EqualMagnitudesKeepTheBinMetFirstInTableOrder) {
  // All magnitudes of a zero frame are 0: the first row's bins win both groups.
  detector.Threshold = 0.0;
  Frame(Signal().Silence(256, 0.0).Samples(), 4);
  EXPECT_EQ(sink.Keys(), "0");
}

TEST_F(FrameAnalysis, LevelIsTheLargestDistanceFromTheZeroLineCappedAt127) {
  for (const double extreme : {255.0, 0.0}) {
    auto frame = KeyFrame('4');
    frame[100] = extreme;
    detector.Reported = 0;
    sink.hits.clear();
    Frame(frame, 4);
    ASSERT_EQ(sink.hits.size(), 1u) << extreme;
    EXPECT_EQ(sink.hits[0].Level, 127) << extreme;
  }
}

TEST_F(FrameAnalysis, FedKeysAreReportedWhen511SamplesOfThemWereAnalysed) {
  // Frame k holds samples 85k to 85k+255; frame 3 is the first to end past sample 510.
  const auto samples = Signal().Key('6', 40.0, 1102).Silence(2000).Samples();
  detector.Feed(samples.data(), samples.size(), sink);
  ASSERT_EQ(sink.hits.size(), 1u);
  EXPECT_EQ(sink.hits[0].Frame, 3u);
  EXPECT_EQ(sink.Keys(), "6");
}

TEST_F(FrameAnalysis, PendingAnalysisLeavesTheLastWholeFrameQueued) {
  std::vector<double> samples(256, 128.0);
  ring.Push(samples.data(), 256);
  detector.AnalysePending(ring, sink);
  EXPECT_EQ(ring.Used(), 256u);  // a frame needs more than 256 queued
  ring.Push(samples.data(), 1);
  detector.AnalysePending(ring, sink);
  EXPECT_EQ(ring.Used(), 257u - 85u);
}

TEST_F(FrameAnalysis, DialledSequenceGivesItsKeysAtTheSameFramesWhateverThePieces) {
  const auto line = testsignal::DialSequence("0123456789ABCD*#", 100, 100);
  std::vector<uint64_t> firstFrames;
  for (const size_t piece : {line.size(), size_t{1}, size_t{1102}, size_t{40000}}) {
    tonvex::DtmfDetector fresh;
    fresh.Arm(50);
    RecordingSink heard;
    for (size_t at = 0; at < line.size(); at += piece) {
      fresh.Feed(line.data() + at, std::min(piece, line.size() - at), heard);
    }
    EXPECT_EQ(heard.Keys(), "0123456789ABCD*#") << piece;
    std::vector<uint64_t> frames;
    for (const auto& hit : heard.hits) frames.push_back(hit.Frame);
    if (firstFrames.empty()) firstFrames = frames;
    EXPECT_EQ(frames, firstFrames) << piece;
  }
}

}  // namespace
