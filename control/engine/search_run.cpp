// Starting, ticking and stopping a search, and the control's reactions around it.
#include <algorithm>

#include "error_texts.h"
#include "peak_level.h"
#include "tonvex_ctrl.h"

namespace tonvex {

bool CTonvexCtrl::SearchDtmf() { return ToggleSearch(kDtmfMode, text::kSearchDtmfDisabled); }

bool CTonvexCtrl::SearchLevel() { return ToggleSearch(kLevelMode, text::kSearchLevelDisabled); }

bool CTonvexCtrl::ToggleSearch(int16_t mode, const char* disabledText) {
  if (!site_.AmbientUserMode()) return true;
  if (!Enabled) {
    ErrorMsg = disabledText;
    return false;
  }
  if (Running) {
    if (SearchMode != mode) {
      ErrorMsg = text::kMethodRunning;
      return false;
    }
    StopSearch();
    return true;
  }
  // Timer and device notifications need the control's window; a host that never gave the
  // control a site (a script host) gets one made now.
  WindowHandle window = site_.Window();
  if (!window) window = site_.CreateControlWindow();
  Device.SetFormat(SampleRate, Channels, BitsPerSample, window);
  Detector.ClearHitCounts();
  SearchMode = mode;
  StartSearch();  // a failure here is reported by OnError, not by the result
  return true;
}

void CTonvexCtrl::StartSearch() {
  if (!PrepareCapture()) return;
  Detector.Arm(Sensitivity);
  site_.SetTimer(kSearchTimerId, kSearchTimerPeriodMs);
  Running = 1;
  ++searchGeneration_;
}

void CTonvexCtrl::StopSearch() {
  Running = 0;
  ++searchGeneration_;
  site_.KillTimer(kSearchTimerId);
  ReleaseCapture();
}

void CTonvexCtrl::OnTimer(uint32_t) {
  // A host that pumps messages inside an event (a modal box in DtmfHit) lets the next tick in
  // here; it waits for the next tick outside, which takes up everything recorded meanwhile.
  if (!CaptureData || inTick_) return;
  inTick_ = true;
  struct LeaveTick {
    bool& flag;
    ~LeaveTick() { flag = false; }
  } leave{inTick_};
  ProcessTick();
}

void CTonvexCtrl::ProcessTick() {
  const uint32_t generation = searchGeneration_;
  TransferSamples();
  // An OnError handler may have stopped the search: nothing more of this tick.
  if (generation != searchGeneration_) return;

  if (SearchMode == kLevelMode) {
    // The tick empties the ring and reports the peak of what it held (0 when it was empty).
    int32_t level = 0;
    double chunk[1024];
    while (const uint32_t copied = Ring.Peek(chunk, 1024)) {
      level = std::max(level, PeakLevel(chunk, copied));
      Ring.Skip(copied);
    }
    site_.FireEvent(dispid::kLevelHit, {level});
  } else {
    AnalysePending();
  }
}

void CTonvexCtrl::OnWindowDestroyed() {
  if (Running) StopSearch();
}

void CTonvexCtrl::OnEnabledChanged() {
  if (site_.AmbientUserMode() && !Enabled && Running) StopSearch();
}

void CTonvexCtrl::OnAmbientUserModeChanged() {
  if (Enabled && site_.AmbientUserMode()) Detector.ClearHitCounts();
  site_.Invalidate();
}

}  // namespace tonvex
