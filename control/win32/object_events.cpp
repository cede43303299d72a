// Outgoing interfaces: the event interface and property-change notification for Enabled.
#include <vector>

#include "guids.h"
#include "tonvex_object.h"
#include "trace.h"
#include "variant_conversion.h"

HRESULT TonvexObject::EnumConnectionPoints(IEnumConnectionPoints** out) {
  if (!out) return E_POINTER;
  return EnumerateConnectionPoints({&events_, &propertyNotify_}, out);
}

HRESULT TonvexObject::FindConnectionPoint(REFIID iid, IConnectionPoint** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (IsEqualIID(iid, events_.Iid())) {
    *out = &events_;
  } else if (IsEqualIID(iid, propertyNotify_.Iid())) {
    *out = &propertyNotify_;
  } else {
    return CONNECT_E_NOCONNECTION;
  }
  (*out)->AddRef();
  return S_OK;
}

void TonvexObject::FireEvent(int32_t dispid, const tonvex::EventArgs& args) {
  if (frozenEvents_ > 0) return;  // a container that froze events does not want them
  // DISPPARAMS hold the arguments last first.
  std::vector<VARIANT> values(args.size());
  for (size_t i = 0; i < args.size(); ++i) {
    tonvex::Variant portable;
    if (const auto* number = std::get_if<int16_t>(&args[i])) {
      portable = tonvex::Variant::I2(*number);
    } else if (const auto* wide = std::get_if<int32_t>(&args[i])) {
      portable = tonvex::Variant::I4(*wide);
    } else {
      portable = tonvex::Variant::BStr(std::get<std::string>(args[i]));
    }
    ToVariant(portable, &values[args.size() - 1 - i]);
  }
  DISPPARAMS params = {values.data(), nullptr, static_cast<UINT>(values.size()), 0};
  for (IUnknown* sink : events_.Sinks()) {
    static_cast<IDispatch*>(sink)->Invoke(dispid, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD,
                                          &params, nullptr, nullptr, nullptr);
    sink->Release();
  }
  for (VARIANT& value : values) VariantClear(&value);
}

bool TonvexObject::RequestEdit(int32_t dispid) {
  bool allowed = true;
  for (IUnknown* sink : propertyNotify_.Sinks()) {
    if (static_cast<IPropertyNotifySink*>(sink)->OnRequestEdit(dispid) == S_FALSE) {
      allowed = false;
    }
    sink->Release();
  }
  return allowed;
}

void TonvexObject::PropertyChanged(int32_t dispid) {
  for (IUnknown* sink : propertyNotify_.Sinks()) {
    static_cast<IPropertyNotifySink*>(sink)->OnChanged(dispid);
    sink->Release();
  }
}
