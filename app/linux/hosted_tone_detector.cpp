#include "hosted_tone_detector.h"

#include <map>

#include "property_bag.h"
#include "runtime_error.h"
#include "tonvex_contract.h"

namespace dorvane::linux_host {
namespace {

namespace contract = tonvex::contract;
using tonvex::Variant;

// The properties the main window stores for its control, as a form file would hold them.
class DesignBag : public tonvex::PropertyBag {
 public:
  explicit DesignBag(const ToneDetectorDesignProperties& design) {
    values_["Enabled"] = Variant::Bool(design.Enabled);
    values_["Sensitivity"] = Variant::I4(design.Sensitivity);
    values_["MaxSecond"] = Variant::I2(design.MaxSecond);
  }
  tonvex::HResult Read(const std::string& name, Variant& value) override {
    const auto found = values_.find(name);
    if (found == values_.end()) return tonvex::hr::kInvalidArg;
    value = found->second;
    return tonvex::hr::kOk;
  }
  tonvex::HResult Write(const std::string&, const Variant&) override { return tonvex::hr::kOk; }

 private:
  std::map<std::string, Variant> values_;
};

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
  DesignBag bag(Dorvane_frm::kTonvexDesign);
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
