#include "sim_tone_detector.h"

#include "memory_property_bag.h"
#include "quoting.h"
#include "runtime_error.h"
#include "tonvex_contract.h"

namespace sim {
namespace {

namespace contract = tonvex::contract;
using tonvex::Variant;

}  // namespace

SimToneDetector::SimToneDetector(EventLoop& loop, Transcript& transcript, ProgramGate& gate,
                                 const Line& line,
                                 const dorvane::ToneDetectorDesignProperties& design)
    : transcript_(transcript), gate_(gate), host_(loop), soundCard_(loop, line) {
  control_ = std::make_unique<tonvex::TonvexControl>(host_, soundCard_, speaker_);
  host_.Attach(&control_->Engine());
  host_.SetEventHandler(
      [this](int32_t dispid, const tonvex::EventArgs& args) { OnEvent(dispid, args); });
  control_->OnSetClientSite();
  tonvex::MemoryPropertyBag bag =
      tonvex::DesignPropertyBag(design.Enabled, design.Sensitivity, design.MaxSecond);
  control_->LoadBag(bag);
}

SimToneDetector::~SimToneDetector() { Destroy(); }

void SimToneDetector::Destroy() {
  if (!control_) return;
  host_.HostWindow().Destroy();
  host_.Attach(nullptr);
  control_.reset();
}

bool SimToneDetector::DtmfSearchRunning() const {
  if (!control_) return false;
  const tonvex::CTonvexCtrl& engine = control_->Engine();
  return engine.Running != 0 && engine.SearchMode == tonvex::kDtmfMode;
}

Variant SimToneDetector::Invoke(int32_t dispid, uint16_t flags, std::vector<Variant> args) {
  if (!control_) throw dorvane::failure::ObjectNotSet();
  Variant result;
  const tonvex::HResult hr = control_->Invoke(dispid, flags, args, &result);
  if (!tonvex::Succeeded(hr)) throw dorvane::RuntimeError(hr, "Automation error");
  return result;
}

bool SimToneDetector::Enabled() {
  return Invoke(contract::dispid::kEnabled, tonvex::dispatch::kPropertyGet, {}).AsBool();
}

void SimToneDetector::SetEnabled(bool enabled) {
  transcript_.Add("tonvex", std::string("Enabled = ") + (enabled ? "True" : "False"));
  Invoke(contract::dispid::kEnabled, tonvex::dispatch::kPropertyPut, {Variant::Bool(enabled)});
}

bool SimToneDetector::SearchDtmf() {
  const bool done = Invoke(contract::dispid::kSearchDtmf, tonvex::dispatch::kMethod, {}).AsBool();
  transcript_.Add("tonvex", std::string("SearchDtmf -> ") + (!done                 ? "refused"
                                                             : DtmfSearchRunning() ? "running"
                                                                                   : "stopped"));
  return done;
}

void SimToneDetector::Hear(char symbol) {
  const std::string name(1, symbol);
  if (!DtmfSearchRunning()) {
    transcript_.Add("tonvex", "DtmfHit " + Quote(name) + " dropped (search stopped)");
    return;
  }
  host_.FireEvent(contract::event::kDtmfHit,
                  {static_cast<int16_t>(symbol), int16_t{100}, control_->GetSensitivity(), 0});
}

void SimToneDetector::OnEvent(int32_t dispid, const tonvex::EventArgs& args) {
  if (dispid != contract::event::kDtmfHit || args.size() != contract::kDtmfHitArgCount) return;
  const auto keyCode = std::get<int16_t>(args[contract::kDtmfHitKeyCode]);
  transcript_.Add("tonvex", "DtmfHit " + Quote(std::string(1, static_cast<char>(keyCode))));
  gate_.Deliver([&] {
    if (onDtmfHit_) {
      onDtmfHit_(keyCode, std::get<int16_t>(args[contract::kDtmfHitLevel]),
                 std::get<int32_t>(args[contract::kDtmfHitSensitivity]),
                 std::get<int32_t>(args[contract::kDtmfHitUnusedSize]));
    }
  });
}

}  // namespace sim
