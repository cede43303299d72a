#include "tonvex_control.h"

#include "dtmf_playback.h"
#include "stream_persistence.h"

namespace tonvex {

TonvexControl::TonvexControl(ControlSite& site, WaveIn& waveIn, SoundOut& soundOut,
                             AnsiEncoder toAnsi)
    : site_(site), soundOut_(soundOut), toAnsi_(std::move(toAnsi)), engine_(site, waveIn) {}

void TonvexControl::PutMaxSecond(int16_t value) {
  if (!MaxSecondInRange(value)) return;
  engine_.MaxSecond = value;
  site_.SetModifiedFlag();
}

void TonvexControl::PutSensitivity(int32_t value) {
  if (!SensitivityInRange(value)) return;
  engine_.Sensitivity = value;
  site_.SetModifiedFlag();
}

HResult TonvexControl::PutEnabled(bool value) {
  if (engine_.Enabled == value) return hr::kOk;
  if (!site_.RequestEdit(dispid::kEnabled)) return hr::kSetNotPermitted;
  engine_.Enabled = value;
  site_.SetModifiedFlag();
  site_.PropertyChanged(dispid::kEnabled);
  engine_.OnEnabledChanged();
  return hr::kOk;
}

bool TonvexControl::PlayDtmf(const std::string& PhoneNum) {
  const PlayDtmfGate gate{site_.AmbientUserMode(), engine_.Enabled, engine_.Running != 0};
  return tonvex::PlayDtmf(gate, toAnsi_ ? toAnsi_(PhoneNum) : PhoneNum, soundOut_,
                          engine_.ErrorMsg);
}

void TonvexControl::SetExtent(int32_t x, int32_t y) {
  if (x == extentX_ && y == extentY_) return;
  extentX_ = x;
  extentY_ = y;
  site_.SetModifiedFlag();
}

void TonvexControl::OnSetClientSite() { site_.CreateControlWindow(); }

void TonvexControl::OnAmbientPropertyChange(int32_t dispid) {
  if (dispid == dispid::kAmbientUserMode) engine_.OnAmbientUserModeChanged();
}

PersistentState TonvexControl::SaveState() const {
  return PersistentState{extentX_, extentY_, engine_.Enabled, engine_.Sensitivity,
                         engine_.MaxSecond};
}

void TonvexControl::LoadState(const PersistentState& state) {
  extentX_ = state.ExtentX;
  extentY_ = state.ExtentY;
  engine_.Sensitivity = state.Sensitivity;
  engine_.MaxSecond = state.MaxSecond;
  if (engine_.Enabled != state.Enabled) {
    engine_.Enabled = state.Enabled;
    engine_.OnEnabledChanged();
  }
}

void TonvexControl::ResetState() {
  ResetExchange reset;
  PersistentState state;
  DoPropExchange(reset, state);
  LoadState(state);
}

HResult TonvexControl::LoadStream(const uint8_t* data, size_t size) {
  PersistentState state;
  const HResult result = LoadFromStream(data, size, state);
  LoadState(state);
  return result;
}

std::vector<uint8_t> TonvexControl::SaveStream() const { return SaveToStream(SaveState()); }

HResult TonvexControl::LoadBag(PropertyBag& bag) {
  PersistentState state;
  const HResult result = LoadFromBag(bag, state);
  LoadState(state);
  return result;
}

HResult TonvexControl::SaveBag(PropertyBag& bag) const { return SaveToBag(bag, SaveState()); }

}  // namespace tonvex
