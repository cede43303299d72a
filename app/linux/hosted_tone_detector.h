// The ToneDetector port over the Tonvex control hosted in-process: Enabled and SearchDtmf by
// DISPID through its dispatch, loaded from the form's design properties, DtmfHit to the
// handler given.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include "dorvane_frm.h"
#include "loop_control_site.h"
#include "sound_out.h"
#include "tone_detector.h"
#include "tonvex_control.h"
#include "wave_in.h"

namespace dorvane::linux_host {

using DtmfHitHandler =
    std::function<void(int16_t keyCode, int16_t level, int32_t sensitivity, int32_t unusedSize)>;

class HostedToneDetector : public ToneDetector {
 public:
  // site and waveIn are not owned and must outlive the detector; the capture device reports
  // its buffers to site.WaveInData.
  HostedToneDetector(LoopControlSite& site, tonvex::WaveIn& waveIn, DtmfHitHandler onDtmfHit);
  ~HostedToneDetector() override;

  bool Enabled() override;
  void SetEnabled(bool enabled) override;
  bool SearchDtmf() override;
  tonvex::TonvexControl& Control() { return *control_; }

 private:
  // The program plays no tones; the control's playback has nowhere to go.
  class NoSpeaker : public tonvex::SoundOut {
   public:
    void Play(int32_t, const uint8_t*, uint32_t) override {}
  };
  tonvex::Variant Invoke(int32_t dispid, uint16_t flags, std::vector<tonvex::Variant> args);

  LoopControlSite& site_;  // not owned
  NoSpeaker speaker_;
  std::unique_ptr<tonvex::TonvexControl> control_;
  DtmfHitHandler onDtmfHit_;
};

// The capture device of a machine without a sound source: the control reports it as it does
// with no recording device on Windows.
class NoCaptureDevice : public tonvex::WaveIn {
 public:
  tonvex::MmResult Open(const tonvex::PcmFormat&, tonvex::WindowHandle) override {
    return tonvex::kMmBadDeviceId;
  }
  tonvex::MmResult PrepareHeader(tonvex::WaveHeader&) override { return tonvex::kMmInvalidHandle; }
  tonvex::MmResult AddBuffer(tonvex::WaveHeader&) override { return tonvex::kMmInvalidHandle; }
  tonvex::MmResult Start() override { return tonvex::kMmInvalidHandle; }
  tonvex::MmResult GetPosition(uint32_t&) override { return tonvex::kMmInvalidHandle; }
  tonvex::MmResult Reset() override { return tonvex::kMmInvalidHandle; }
  tonvex::MmResult UnprepareHeader(tonvex::WaveHeader&) override {
    return tonvex::kMmInvalidHandle;
  }
  tonvex::MmResult Close() override { return tonvex::kMmInvalidHandle; }
};

}  // namespace dorvane::linux_host
