// Port: the tone-detector control sited on the main window, reached as a control is: its
// Enabled property and SearchDtmf method by DISPID. Its DtmfHit event reaches
// Dorvane_frm::Tonvex_DtmfHit.
#pragma once

namespace dorvane {

class ToneDetector {
 public:
  virtual ~ToneDetector() = default;
  virtual bool Enabled() = 0;
  virtual void SetEnabled(bool enabled) = 0;
  // Starts the DTMF search, or stops it when one runs; false when the control refuses.
  virtual bool SearchDtmf() = 0;
};

}  // namespace dorvane
