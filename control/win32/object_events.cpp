// Outgoing interfaces: the event interface and property-change notification for Enabled.
#include <vector>

#include "guids.h"
#include "tonvex_object.h"
#include "trace.h"
#include "variant_conversion.h"

namespace {

// Enumerates the object's two connection points.
class PointEnumerator final : public IEnumConnectionPoints {
 public:
  PointEnumerator(std::vector<IConnectionPoint*> points, size_t next)
      : points_(std::move(points)), next_(next) {
    for (IConnectionPoint* point : points_) point->AddRef();
  }
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (!object) return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IEnumConnectionPoints)) {
      *object = static_cast<IEnumConnectionPoints*>(this);
      AddRef();
      return S_OK;
    }
    *object = nullptr;
    return NoInterface("EnumConnectionPoints", iid);
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&references_); }
  ULONG STDMETHODCALLTYPE Release() override {
    const LONG left = InterlockedDecrement(&references_);
    if (left == 0) delete this;
    return left;
  }
  HRESULT STDMETHODCALLTYPE Next(ULONG count, IConnectionPoint** out, ULONG* fetched) override {
    if (!out || (count > 1 && !fetched)) return E_POINTER;
    ULONG given = 0;
    while (given < count && next_ < points_.size()) {
      out[given] = points_[next_++];
      out[given++]->AddRef();
    }
    if (fetched) *fetched = given;
    return given == count ? S_OK : S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE Skip(ULONG count) override {
    next_ += count;
    return next_ <= points_.size() ? S_OK : S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE Reset() override {
    next_ = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Clone(IEnumConnectionPoints** out) override {
    if (!out) return E_POINTER;
    *out = new (std::nothrow) PointEnumerator(points_, next_);
    return *out ? S_OK : E_OUTOFMEMORY;
  }

 private:
  ~PointEnumerator() {
    for (IConnectionPoint* point : points_) point->Release();
  }
  std::vector<IConnectionPoint*> points_;
  size_t next_;
  LONG references_ = 1;
};

}  // namespace

HRESULT TonvexObject::EnumConnectionPoints(IEnumConnectionPoints** out) {
  if (!out) return E_POINTER;
  *out = new (std::nothrow) PointEnumerator({&events_, &propertyNotify_}, 0);
  return *out ? S_OK : E_OUTOFMEMORY;
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
