#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fake_site.h"
#include "fake_wave_in.h"
#include "tone_images.h"
#include "tonvex_ctrl.h"

namespace {

// Each image, followed by as much silence, through the control's own frame analysis.
TEST(ToneDecode, EveryImageIsHeardAsItsOwnSymbol) {
  for (int i = 0; i < tonvex::kToneCount; ++i) {
    SCOPED_TRACE(std::string("symbol ") + tonvex::kToneTable[i].Symbol);
    FakeSite site;
    FakeWaveIn waveIn;
    tonvex::CTonvexCtrl control(site, waveIn);
    ASSERT_EQ(control.Ring.Allocate(110250), 1);
    control.ArmAnalysis();

    const uint8_t* tone = tonvex::ToneImage(i).data() + tonvex::kToneDataOffset;
    const std::vector<double> samples(tone, tone + tonvex::kToneSamples);
    const std::vector<double> silence(tonvex::kToneSamples, 128.0);
    ASSERT_EQ(control.Ring.Push(samples.data(), tonvex::kToneSamples), 1);
    control.AnalysePending();
    ASSERT_EQ(control.Ring.Push(silence.data(), tonvex::kToneSamples), 1);
    control.AnalysePending();

    EXPECT_EQ(site.Keys(), std::string(1, tonvex::kToneTable[i].Symbol));
  }
}

}  // namespace
