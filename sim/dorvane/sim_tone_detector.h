// The real tone-detector control, sited on the program's form and listening to the simulated
// line through a simulated sound card. The program reaches it by DISPID, as on Windows.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include "dorvane_frm.h"
#include "line_feed.h"
#include "line_wave_in.h"
#include "program_gate.h"
#include "sim_control_host.h"
#include "tone_detector.h"
#include "tonvex_control.h"
#include "transcript.h"

namespace sim {

class SimToneDetector : public dorvane::ToneDetector {
 public:
  using DtmfHit =
      std::function<void(int16_t keyCode, int16_t level, int32_t sensitivity, int32_t unusedSize)>;

  // Creates the control, sites it and loads the form's stored properties. Everything is
  // borrowed and must outlive the detector.
  SimToneDetector(EventLoop& loop, Transcript& transcript, ProgramGate& gate, const Line& line,
                  const dorvane::ToneDetectorDesignProperties& design);
  ~SimToneDetector() override;

  void SetOnDtmfHit(DtmfHit handler) { onDtmfHit_ = std::move(handler); }
  // The form's window is destroyed: the control goes with it.
  void Destroy();
  // Whether the control's own DTMF search runs.
  bool DtmfSearchRunning() const;
  // The detector hears a symbol: DtmfHit as the control fires it, if its DTMF search runs.
  void Hear(char symbol);

  bool Enabled() override;
  void SetEnabled(bool enabled) override;
  bool SearchDtmf() override;

 private:
  class SilentSpeaker : public tonvex::SoundOut {
   public:
    void Play(int32_t, const uint8_t*, uint32_t) override {}
  };
  tonvex::Variant Invoke(int32_t dispid, uint16_t flags, std::vector<tonvex::Variant> args);
  void OnEvent(int32_t dispid, const tonvex::EventArgs& args);

  Transcript& transcript_;  // not owned
  ProgramGate& gate_;       // not owned
  SimControlHost host_;
  LineWaveIn soundCard_;
  SilentSpeaker speaker_;
  std::unique_ptr<tonvex::TonvexControl> control_;
  DtmfHit onDtmfHit_;
};

}  // namespace sim
