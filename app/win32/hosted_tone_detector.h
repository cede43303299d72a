// The ToneDetector port over the Tonvex control hosted in the main window: Enabled and
// SearchDtmf by DISPID through IDispatch, DtmfHit to the handler given. Creating it is part of
// loading the window; a control that is not registered fails it.
#pragma once

#include <windows.h>

#include "com_ptr.h"
#include "control_host.h"
#include "dtmf_hit_sink.h"
#include "tone_detector.h"

namespace dorvane::win32 {

class HostedToneDetector : public ToneDetector {
 public:
  // parent is the hidden main window and must outlive this object. onDtmfHit must not throw:
  // the control calls it from its own frames.
  HostedToneDetector(HWND parent, DtmfHitHandler onDtmfHit);

  bool Enabled() override;
  void SetEnabled(bool enabled) override;
  bool SearchDtmf() override;

  // The control's automation object, held by the host: its other members by DISPID.
  IDispatch* Control() const { return host_.Dispatch(); }

 private:
  ComPtr<DtmfHitSink> sink_;
  ControlHost host_;
};

}  // namespace dorvane::win32
