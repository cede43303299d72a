#include "hosted_tone_detector.h"

#include <utility>

#include "contract_guid.h"
#include "design_bag.h"
#include "dispatch_call.h"
#include "dorvane_frm.h"

namespace dorvane::win32 {
namespace {

namespace contract = tonvex::contract;

Variant Typed(VARTYPE type, int32_t value) {
  Variant typed = Variant::Long(value);
  const HRESULT result = VariantChangeType(typed.Get(), typed.Get(), 0, type);
  if (FAILED(result)) ThrowFailure(result);
  return typed;
}

Variant Boolean(bool value) { return Typed(VT_BOOL, value ? VARIANT_TRUE : VARIANT_FALSE); }

// The properties the main window stores for its control, as a form file would hold them.
ComPtr<DesignBag> TonvexDesign() {
  const ToneDetectorDesignProperties& design = Dorvane_frm::kTonvexDesign;
  ComPtr<DesignBag> bag = DesignBag::Create();
  bag->Set(L"Enabled", Boolean(design.Enabled));
  bag->Set(L"Sensitivity", Variant::Long(design.Sensitivity));
  bag->Set(L"MaxSecond", Typed(VT_I2, design.MaxSecond));
  return bag;
}

HostedControl TonvexControl(IPropertyBag* design, IDispatch* sink) {
  return {ToGuid(contract::kClsidTonvex), design, ToGuid(contract::kIidDTonvexEvents), sink};
}

}  // namespace

HostedToneDetector::HostedToneDetector(HWND parent, DtmfHitHandler onDtmfHit)
    : sink_(DtmfHitSink::Create(std::move(onDtmfHit))),
      host_(parent, TonvexControl(TonvexDesign().Get(), sink_.Get())) {}

bool HostedToneDetector::Enabled() {
  return AsBool(Call(Control(), contract::dispid::kEnabled, DISPATCH_PROPERTYGET));
}

void HostedToneDetector::SetEnabled(bool enabled) {
  Call(Control(), contract::dispid::kEnabled, DISPATCH_PROPERTYPUT, {Boolean(enabled)});
}

bool HostedToneDetector::SearchDtmf() {
  return AsBool(Call(Control(), contract::dispid::kSearchDtmf, DISPATCH_METHOD));
}

}  // namespace dorvane::win32
