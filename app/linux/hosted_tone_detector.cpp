#include "hosted_tone_detector.h"

#include "memory_property_bag.h"
#include "runtime_error.h"
#include "tonvex_contract.h"

namespace dorvane::linux_host {
namespace {

namespace contract = tonvex::contract;
using tonvex::Variant;

}  // namespace

HostedToneDetector::HostedToneDetector(LoopControlSite& site, tonvex::WaveIn& waveIn,
                                       DtmfHitHandler onDtmfHit)
    : site_(site), onDtmfHit_(std::move(onDtmfHit)) {
  control_ = std::make_unique<tonvex::TonvexControl>(site_, waveIn, speaker_);
  site_.Attach(&control_->Engine());
  site_.SetEventHandler([this](int32_t dispid, const tonvex::EventArgs& args) {
    if (dispid != contract::event::kDtmfHit || args.size() != contract::kDtmfHitArgCount) return;
    if (!onDtmfHit_) return;
    onDtmfHit_(std::get<int16_t>(args[contract::kDtmfHitKeyCode]),
               std::get<int16_t>(args[contract::kDtmfHitLevel]),
               std::get<int32_t>(args[contract::kDtmfHitSensitivity]),
               std::get<int32_t>(args[contract::kDtmfHitUnusedSize]));
  });
  control_->OnSetClientSite();
  const ToneDetectorDesignProperties& design = Dorvane_frm::kTonvexDesign;
  tonvex::MemoryPropertyBag bag =
      tonvex::DesignPropertyBag(design.Enabled, design.Sensitivity, design.MaxSecond);
  control_->LoadBag(bag);
  site_.CreateControlWindow();
}

HostedToneDetector::~HostedToneDetector() {
  site_.DestroyWindow();
  site_.Attach(nullptr);
  site_.SetEventHandler(nullptr);
}

Variant HostedToneDetector::Invoke(int32_t dispid, uint16_t flags, std::vector<Variant> args) {
  Variant result;
  const tonvex::HResult hr = control_->Invoke(dispid, flags, args, &result);
  if (!tonvex::Succeeded(hr)) throw RuntimeError(hr, "Automation error");
  return result;
}

bool HostedToneDetector::Enabled() {
  return Invoke(contract::dispid::kEnabled, tonvex::dispatch::kPropertyGet, {}).AsBool();
}

void HostedToneDetector::SetEnabled(bool enabled) {
  Invoke(contract::dispid::kEnabled, tonvex::dispatch::kPropertyPut, {Variant::Bool(enabled)});
}

bool HostedToneDetector::SearchDtmf() {
  return Invoke(contract::dispid::kSearchDtmf, tonvex::dispatch::kMethod, {}).AsBool();
}

}  // namespace dorvane::linux_host
