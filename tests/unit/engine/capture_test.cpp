#include <gtest/gtest.h>

#include <vector>

#include "error_texts.h"
#include "fake_site.h"
#include "fake_wave_in.h"
#include "tonvex_ctrl.h"

namespace {

using tonvex::dispid::kOnError;

class Capture : public ::testing::Test {
 protected:
  Capture() : control(site, wave) {}

  // A running DTMF search whose first tick has started recording.
  void StartRecording() {
    ASSERT_TRUE(control.SearchDtmf());
    ASSERT_TRUE(control.Running);
    Tick();
    ASSERT_TRUE(control.CaptureStarted);
  }
  void Tick() { control.OnTimer(tonvex::kSearchTimerId); }
  // What the line delivered: buffer byte i holds i mod 251.
  void Record(uint32_t position) {
    for (uint32_t i = recorded; i < position && i < control.CaptureSamples; ++i) {
      control.CaptureData[i] = static_cast<uint8_t>(i % 251);
    }
    recorded = std::max(recorded, position);
    wave.position = position;
  }
  std::vector<double> Queued() {
    std::vector<double> samples(control.Ring.Used());
    control.Ring.Peek(samples.data(), control.Ring.Used());
    return samples;
  }

  FakeSite site;
  FakeWaveIn wave;
  tonvex::CTonvexCtrl control;
  uint32_t recorded = 0;
};

TEST_F(Capture, SearchStartPreparesBufferRingAndTimerButRecordsAtTheFirstTick) {
  ASSERT_TRUE(control.SearchDtmf());
  EXPECT_EQ(control.Ring.Size(), 10u * 11025u);
  EXPECT_NE(control.CaptureData, nullptr);
  EXPECT_TRUE(site.timerSet);
  EXPECT_EQ(site.timerId, 1u);
  EXPECT_EQ(site.timerPeriod, 100u);
  EXPECT_EQ(wave.Log(), "");
  EXPECT_EQ(control.Detector.Threshold, 5.0);
  EXPECT_EQ(control.Detector.LastRow, 16);

  Tick();
  EXPECT_EQ(wave.Log(), "Open Prepare Add Start");
  EXPECT_EQ(wave.format.SamplesPerSec, 11025u);
  EXPECT_EQ(wave.format.BitsPerSample, 8u);
  EXPECT_EQ(wave.format.BlockAlign, 1u);
  EXPECT_EQ(wave.format.AvgBytesPerSec, 11025u);
  EXPECT_EQ(wave.window, site.window);
  EXPECT_EQ(wave.header->BufferLength, 110250u);
  EXPECT_TRUE(control.CaptureStarted);
  EXPECT_EQ(control.Ring.Used(), 0u);
}

TEST_F(Capture, TransferStaysSevenHundredSamplesBehindThePosition) {
  StartRecording();
  Record(700);
  Tick();
  EXPECT_EQ(control.Consumed, 0u);
  Record(701);
  Tick();
  EXPECT_EQ(control.Consumed, 1u);
  EXPECT_EQ(Queued(), std::vector<double>({0.0}));
  Record(1803);
  Tick();
  EXPECT_EQ(control.Consumed, 1103u);
  const auto queued = Queued();
  ASSERT_EQ(queued.size(), 1103u - 85u * 10u);  // frames have taken theirs
  EXPECT_EQ(queued.back(), 1102 % 251);
}

TEST_F(Capture, FullRingKeepsTheBlockForTheNextTick) {
  StartRecording();
  std::vector<double> filler(110000, 128.0);
  control.Ring.Push(filler.data(), 110000);
  Record(1700);
  control.TransferSamples();
  EXPECT_EQ(control.Consumed, 0u);
  EXPECT_EQ(control.Ring.Used(), 110000u);
  control.Ring.Skip(110000);
  Record(2200);
  control.TransferSamples();
  EXPECT_EQ(control.Consumed, 1500u);
  const auto queued = Queued();
  ASSERT_EQ(queued.size(), 1500u);
  EXPECT_EQ(queued[0], 0.0);
  EXPECT_EQ(queued[1499], 1499 % 251);
}

TEST_F(Capture, ReturnedBufferKeepsItsLastSamplesAndRecordingRestartsAtTheNextTick) {
  StartRecording();
  Record(109000);
  control.TransferSamples();
  ASSERT_EQ(control.Consumed, 108300u);
  Record(110250);
  wave.ClearLog();
  control.OnWaveInData(110250);
  EXPECT_EQ(control.Consumed, 110250u);
  EXPECT_EQ(control.Ring.Used(), 110250u);
  std::vector<double> last(1);
  control.Ring.Skip(110249);
  control.Ring.Peek(last.data(), 1);
  EXPECT_EQ(last[0], 110249 % 251);
  EXPECT_EQ(wave.Log(), "Reset Unprepare Close");
  EXPECT_FALSE(control.CaptureStarted);

  wave.ClearLog();
  Tick();
  EXPECT_EQ(wave.Log(), "Open Prepare Add Start");
  EXPECT_EQ(control.Consumed, 0u);
  EXPECT_TRUE(control.CaptureStarted);
}

TEST_F(Capture, PositionBeyondTheBufferReadsNothingPastIt) {
  StartRecording();
  Record(110250);
  wave.position = 500000;
  control.TransferSamples();
  EXPECT_EQ(control.Consumed, 110250u);
}

TEST_F(Capture, PositionErrorTransfersNothing) {
  StartRecording();
  Record(5000);
  wave.positionResult = tonvex::kMmError;
  Tick();
  EXPECT_EQ(control.Consumed, 0u);
}

TEST_F(Capture, DeviceThatCannotBeOpenedFiresOnErrorAtEveryTickUntilStopped) {
  wave.openResult = tonvex::kMmBadDeviceId;
  ASSERT_TRUE(control.SearchDtmf());
  for (int i = 0; i < 3; ++i) Tick();
  ASSERT_EQ(site.events.size(), 3u);
  for (const auto& event : site.events) {
    EXPECT_EQ(event.dispid, kOnError);
    EXPECT_EQ(event.Text(0), tonvex::text::kCannotOpen);
  }
  ASSERT_TRUE(control.SearchDtmf());
  EXPECT_FALSE(site.timerSet);
  Tick();
  EXPECT_EQ(site.events.size(), 3u);
}

TEST_F(Capture, BufferThatCannotBeQueuedLeavesTheDeviceOpen) {
  wave.addResult = tonvex::kMmError;
  ASSERT_TRUE(control.SearchDtmf());
  Tick();
  Tick();
  ASSERT_EQ(site.events.size(), 2u);
  EXPECT_EQ(site.events[0].Text(0), tonvex::text::kCannotStart);
  EXPECT_EQ(site.events[1].Text(0), tonvex::text::kCannotOpen);
  EXPECT_EQ(wave.Log(), "Open Prepare Add Unprepare");  // the record knows it is open
}

TEST_F(Capture, MissingCaptureMemoryFailsTheStartButNotTheCall) {
  wave.refuseMemory = true;
  EXPECT_TRUE(control.SearchDtmf());
  EXPECT_FALSE(control.Running);
  EXPECT_FALSE(site.timerSet);
  ASSERT_EQ(site.events.size(), 1u);
  EXPECT_EQ(site.events[0].Text(0), tonvex::text::kCaptureMemory);
  wave.refuseMemory = false;
  EXPECT_TRUE(control.SearchDtmf());
  EXPECT_TRUE(control.Running);
}

TEST_F(Capture, NotificationAfterAStopTouchesNeitherBufferNorRing) {
  StartRecording();
  Record(3000);
  wave.ClearLog();
  ASSERT_TRUE(control.SearchDtmf());  // stop: the reset hands the buffer back
  EXPECT_EQ(wave.Log(), "Reset Unprepare Close");
  EXPECT_EQ(control.CaptureData, nullptr);
  EXPECT_FALSE(control.Ring.HasStorage());
  control.OnWaveInData(3000);
  EXPECT_FALSE(control.CaptureStarted);
  EXPECT_EQ(control.Ring.Used(), 0u);

  // Even when a new search already holds a fresh buffer and ring.
  StartRecording();
  ASSERT_TRUE(control.SearchDtmf());
  ASSERT_TRUE(control.SearchDtmf());
  control.OnWaveInData(110250);
  EXPECT_EQ(control.Ring.Used(), 0u);
  EXPECT_EQ(control.Consumed, 0u);
}

}  // namespace
