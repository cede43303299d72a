#include "messenger_events.h"

#include "com_messenger.h"
#include "dispatch_call.h"
#include "messenger_ids.h"
#include "reference_counted.h"

namespace dorvane::win32 {
namespace {

std::shared_ptr<MessengerWindow> WindowIn(const VARIANT& argument) {
  Variant value;
  if (FAILED(VariantCopyInd(value.Get(), const_cast<VARIANT*>(&argument)))) return nullptr;
  const VARTYPE type = V_VT(value.Get());
  IUnknown* object = type == VT_DISPATCH  ? V_DISPATCH(value.Get())
                     : type == VT_UNKNOWN ? V_UNKNOWN(value.Get())
                                          : nullptr;
  if (!object) return nullptr;
  ComPtr<IDispatch> window;
  if (FAILED(object->QueryInterface(kIidMessengerWindow, window.PutVoid()))) return nullptr;
  return std::make_shared<ComMessengerWindow>(std::move(window));
}

// The sink the messenger calls; it answers for DMessengerEvents and plain IDispatch.
class EventSink final : public IDispatch, public ReferenceCounted {
 public:
  EventSink(PostedCalls& calls, WindowCreated onWindowCreated)
      : calls_(calls), onWindowCreated_(std::move(onWindowCreated)) {}

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (!object) return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) ||
        IsEqualIID(iid, kDiidMessengerEvents)) {
      *object = static_cast<IDispatch*>(this);
      AddRef();
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return AddReference(); }
  ULONG STDMETHODCALLTYPE Release() override { return DropReference(); }
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    if (!count) return E_POINTER;
    *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
    return DISP_E_UNKNOWNNAME;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID dispid, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*,
                                   EXCEPINFO*, UINT*) override {
    if (dispid != kDispidOnIMWindowCreated) return S_OK;
    if (!params || params->cArgs < 1) return DISP_E_BADPARAMCOUNT;
    std::shared_ptr<MessengerWindow> window = WindowIn(params->rgvarg[params->cArgs - 1]);
    calls_.Post([handler = onWindowCreated_, window] { handler(window); });
    return S_OK;
  }

 private:
  ~EventSink() override = default;

  PostedCalls& calls_;  // not owned
  WindowCreated onWindowCreated_;
};

}  // namespace

MessengerEvents::MessengerEvents(IDispatch* messenger, PostedCalls& calls,
                                 WindowCreated onWindowCreated) {
  ComPtr<IConnectionPointContainer> container;
  HRESULT result = messenger->QueryInterface(IID_IConnectionPointContainer, container.PutVoid());
  if (SUCCEEDED(result))
    result = container->FindConnectionPoint(kDiidMessengerEvents, point_.Put());
  if (FAILED(result)) ThrowFailure(result);
  const ComPtr<EventSink> sink =
      ComPtr<EventSink>::Adopt(new EventSink(calls, std::move(onWindowCreated)));
  result = point_->Advise(sink.Get(), &cookie_);
  if (FAILED(result)) ThrowFailure(result);
}

MessengerEvents::~MessengerEvents() {
  if (cookie_) point_->Unadvise(cookie_);
}

}  // namespace dorvane::win32
