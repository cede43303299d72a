#include <gtest/gtest.h>

#include "error_texts.h"
#include "fake_site.h"
#include "fake_wave_in.h"
#include "test_signal.h"
#include "tonvex_ctrl.h"

namespace {

using tonvex::dispid::kDtmfHit;
using tonvex::dispid::kLevelHit;
using tonvex::dispid::kOnError;

class SearchRun : public ::testing::Test {
 protected:
  SearchRun() : control(site, wave) {}

  void Tick() { control.OnTimer(tonvex::kSearchTimerId); }
  // Records the samples into the capture buffer and ticks so that all of them are transferred.
  void Deliver(const std::vector<double>& samples) {
    for (double sample : samples) control.CaptureData[recorded++] = static_cast<uint8_t>(sample);
    wave.position = recorded + tonvex::kTransferLag;
    Tick();
  }

  FakeSite site;
  FakeWaveIn wave;
  tonvex::CTonvexCtrl control;
  uint32_t recorded = 0;
};

TEST_F(SearchRun, DesignModeAnswersTrueAndStartsNothing) {
  site.userMode = false;
  control.Enabled = false;
  EXPECT_TRUE(control.SearchDtmf());
  EXPECT_TRUE(control.SearchLevel());
  EXPECT_FALSE(control.Running);
  EXPECT_EQ(control.ErrorMsg, "");
}

TEST_F(SearchRun, EachMethodTogglesItsOwnModeAndRefusesTheOther) {
  EXPECT_TRUE(control.SearchDtmf());
  EXPECT_TRUE(control.Running);
  EXPECT_EQ(control.SearchMode, tonvex::kDtmfMode);
  EXPECT_FALSE(control.SearchLevel());
  EXPECT_EQ(control.ErrorMsg, tonvex::text::kMethodRunning);
  EXPECT_TRUE(control.Running);
  EXPECT_EQ(control.SearchMode, tonvex::kDtmfMode);
  EXPECT_TRUE(control.SearchDtmf());
  EXPECT_FALSE(control.Running);
  EXPECT_EQ(control.ErrorMsg, tonvex::text::kMethodRunning);  // success never clears it

  EXPECT_TRUE(control.SearchLevel());
  EXPECT_EQ(control.SearchMode, tonvex::kLevelMode);
  EXPECT_FALSE(control.SearchDtmf());
  EXPECT_TRUE(control.SearchLevel());
  EXPECT_FALSE(control.Running);
}

TEST_F(SearchRun, DisablingStopsTheSearchAndLaterCallsAreRefused) {
  ASSERT_TRUE(control.SearchDtmf());
  Tick();
  control.Enabled = false;
  control.OnEnabledChanged();
  EXPECT_FALSE(control.Running);
  EXPECT_FALSE(site.timerSet);
  EXPECT_FALSE(wave.open);
  EXPECT_FALSE(control.SearchDtmf());
  EXPECT_EQ(control.ErrorMsg, tonvex::text::kSearchDtmfDisabled);
  EXPECT_FALSE(control.SearchLevel());
  EXPECT_EQ(control.ErrorMsg, tonvex::text::kSearchLevelDisabled);
}

TEST_F(SearchRun, DisablingAtDesignTimeLeavesTheSearchAlone) {
  ASSERT_TRUE(control.SearchDtmf());
  site.userMode = false;
  control.Enabled = false;
  control.OnEnabledChanged();
  EXPECT_TRUE(control.Running);
}

TEST_F(SearchRun, LevelSearchReportsEveryTickTheLargestSwingOfItsSamples) {
  ASSERT_TRUE(control.SearchLevel());
  Tick();
  Deliver(testsignal::Signal().Silence(500, 140.0).Silence(1, 100.0).Samples());
  Deliver(testsignal::Signal().Silence(200, 0.0).Silence(200, 255.0).Samples());
  Tick();  // nothing new
  const auto levels = site.Of(kLevelHit);
  ASSERT_EQ(levels.size(), 4u);
  EXPECT_EQ(levels[0].Int(0), 0);
  EXPECT_EQ(levels[1].Int(0), 27);
  EXPECT_EQ(levels[2].Int(0), 127);
  EXPECT_EQ(levels[3].Int(0), 0);
  EXPECT_TRUE(site.Of(kDtmfHit).empty());
}

TEST_F(SearchRun, OnErrorComesBeforeTheLevelOfTheSameTick) {
  wave.openResult = tonvex::kMmNoDriver;
  ASSERT_TRUE(control.SearchLevel());
  Tick();
  ASSERT_EQ(site.events.size(), 2u);
  EXPECT_EQ(site.events[0].dispid, kOnError);
  EXPECT_EQ(site.events[1].dispid, kLevelHit);
}

TEST_F(SearchRun, SensitivityChangedDuringASearchCountsFromTheNextStart) {
  ASSERT_TRUE(control.SearchDtmf());
  control.Sensitivity = 100;
  EXPECT_EQ(control.Detector.Threshold, 5.0);
  control.SearchDtmf();
  control.SearchDtmf();
  EXPECT_EQ(control.Detector.Threshold, 10.0);
}

TEST_F(SearchRun, HostStoppingTheSearchInsideDtmfHitEndsTheTick) {
  ASSERT_TRUE(control.SearchDtmf());
  Tick();
  site.onEvent = [this](const FiredEvent& event) {
    if (event.dispid == kDtmfHit) control.SearchDtmf();
  };
  // Two keys in one tick: the second is never reported, and nothing reads the freed ring.
  Deliver(testsignal::Signal().Key('1', 40, 600).Silence(100).Key('2', 40, 600).Samples());
  EXPECT_EQ(site.Keys(), "1");
  EXPECT_FALSE(control.Running);
  EXPECT_EQ(control.CaptureData, nullptr);

  site.onEvent = nullptr;
  recorded = 0;
  ASSERT_TRUE(control.SearchDtmf());
  control.OnWaveInData(0);  // the stopped recording's buffer comes back
  Tick();
  Deliver(testsignal::Signal().Key('3', 40, 600).Silence(300).Samples());
  EXPECT_EQ(site.Keys(), "13");
}

TEST_F(SearchRun, ATickInsideAnEventOfATickDoesNothingAndNoKeyIsReportedTwice) {
  ASSERT_TRUE(control.SearchDtmf());
  Tick();
  // A host showing a modal box inside DtmfHit pumps messages: the next tick comes inside.
  site.onEvent = [this](const FiredEvent& event) {
    if (event.dispid == kDtmfHit) Tick();
  };
  Deliver(testsignal::Signal().Key('1', 40, 600).Silence(100).Key('2', 40, 600).Samples());
  Deliver(testsignal::Signal().Silence(300).Key('3', 40, 600).Silence(300).Samples());
  EXPECT_EQ(site.Keys(), "123");
}

TEST_F(SearchRun, ASearchAfterTheWindowWentDuringOneRecordsAgain) {
  ASSERT_TRUE(control.SearchDtmf());
  Tick();
  // The window goes with the buffer-returned notification that would have been posted to it.
  control.OnWindowDestroyed();
  wave.ClearLog();
  recorded = 0;
  ASSERT_TRUE(control.SearchDtmf());
  Tick();
  EXPECT_EQ(wave.Log(), "Open Prepare Add Start");
  Deliver(testsignal::Signal().Key('7', 40, 600).Silence(300).Samples());
  EXPECT_EQ(site.Keys(), "7");
}

TEST_F(SearchRun, HostStoppingTheSearchInsideOnErrorGetsNoLevelThatTick) {
  wave.openResult = tonvex::kMmNoDriver;
  ASSERT_TRUE(control.SearchLevel());
  site.onEvent = [this](const FiredEvent& event) {
    if (event.dispid == kOnError) control.SearchLevel();
  };
  Tick();
  ASSERT_EQ(site.events.size(), 1u);
  EXPECT_EQ(site.events[0].dispid, kOnError);
}

TEST_F(SearchRun, DestroyingTheWindowStopsTimerDeviceAndBuffers) {
  ASSERT_TRUE(control.SearchDtmf());
  Tick();
  control.OnWindowDestroyed();
  EXPECT_FALSE(control.Running);
  EXPECT_FALSE(site.timerSet);
  EXPECT_FALSE(wave.open);
  EXPECT_EQ(control.CaptureData, nullptr);
  EXPECT_FALSE(control.Ring.HasStorage());
}

TEST(SearchRunEnd, DestroyingTheControlDuringASearchKillsTheTimerAndClosesTheDevice) {
  FakeSite site;
  FakeWaveIn wave;
  {
    tonvex::CTonvexCtrl control(site, wave);
    ASSERT_TRUE(control.SearchDtmf());
    control.OnTimer(tonvex::kSearchTimerId);
    wave.ClearLog();
  }
  EXPECT_FALSE(site.timerSet);
  EXPECT_EQ(wave.Log(), "Reset Unprepare Close");
}

TEST_F(SearchRun, ReturningToUserModeWhileEnabledClearsTheCounts) {
  control.Detector.HitCounts[3] = 2;
  site.userMode = false;
  control.OnAmbientUserModeChanged();
  EXPECT_EQ(control.Detector.HitCounts[3], 2);
  site.userMode = true;
  control.OnAmbientUserModeChanged();
  EXPECT_EQ(control.Detector.HitCounts[3], 0);
  EXPECT_EQ(site.invalidated, 2);
}

TEST_F(SearchRun, ReportedAndLastKeySurviveFromOneSearchToTheNext) {
  ASSERT_TRUE(control.SearchDtmf());
  Tick();
  Deliver(testsignal::Signal().Key('5', 40, 800).Samples());
  ASSERT_EQ(site.Keys(), "5");
  // UnusedSize: the ring's free slots once the reporting frame (the fourth) was skipped.
  EXPECT_EQ(site.events.back().Int(3), 110250 - (800 - 4 * 85));
  control.SearchDtmf();
  control.SearchDtmf();
  EXPECT_EQ(control.Detector.LastKeyRow, 5);
  EXPECT_EQ(control.Detector.Reported, 1);
}

TEST_F(SearchRun, TicksWithoutASearchDoNothing) {
  Tick();
  EXPECT_TRUE(site.events.empty());
  EXPECT_EQ(wave.Log(), "");
}

}  // namespace
