#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "control_site.h"
#include "tone_images.h"
#include "tonvex_ctrl.h"
#include "wave_in.h"

namespace {

class KeySite : public tonvex::ControlSite {
 public:
  bool AmbientUserMode() const override { return true; }
  void FireEvent(int32_t dispid, const tonvex::EventArgs& args) override {
    if (dispid != tonvex::dispid::kDtmfHit) return;
    ASSERT_FALSE(args.empty());
    keys += static_cast<char>(std::get<int16_t>(args[0]));
  }
  tonvex::WindowHandle Window() const override { return 0; }
  bool SetTimer(uint32_t, uint32_t) override { return true; }
  void KillTimer(uint32_t) override {}
  void Invalidate() override {}

  std::string keys;
};

class IdleWaveIn : public tonvex::WaveIn {
 public:
  tonvex::MmResult Open(const tonvex::PcmFormat&, tonvex::WindowHandle) override { return 0; }
  tonvex::MmResult PrepareHeader(tonvex::WaveHeader&) override { return 0; }
  tonvex::MmResult AddBuffer(tonvex::WaveHeader&) override { return 0; }
  tonvex::MmResult Start() override { return 0; }
  tonvex::MmResult GetPosition(uint32_t& bytes) override {
    bytes = 0;
    return 0;
  }
  tonvex::MmResult Reset() override { return 0; }
  tonvex::MmResult UnprepareHeader(tonvex::WaveHeader&) override { return 0; }
  tonvex::MmResult Close() override { return 0; }
};

// Each image, followed by as much silence, through the control's own frame analysis.
TEST(ToneDecode, EveryImageIsHeardAsItsOwnSymbol) {
  for (int i = 0; i < tonvex::kToneCount; ++i) {
    SCOPED_TRACE(std::string("symbol ") + tonvex::kToneTable[i].Symbol);
    KeySite site;
    IdleWaveIn waveIn;
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

    EXPECT_EQ(site.keys, std::string(1, tonvex::kToneTable[i].Symbol));
  }
}

}  // namespace
