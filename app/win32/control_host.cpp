#include "control_host.h"

#include "dispatch_call.h"

namespace dorvane::win32 {
namespace {

void Check(HRESULT result) {
  if (FAILED(result)) ThrowFailure(result);
}

}  // namespace

ControlHost::ControlHost(HWND parent, const HostedControl& control)
    : site_(ClientSite::Create(parent)) {
  Check(CoCreateInstance(control.clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IOleObject,
                         object_.PutVoid()));
  try {
    Check(object_->SetClientSite(site_.Get()));
    ComPtr<IPersistPropertyBag> persist;
    Check(object_->QueryInterface(IID_IPersistPropertyBag, persist.PutVoid()));
    Check(persist->Load(control.design, nullptr));
    RECT none = {};
    Check(object_->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, site_.Get(), 0, parent, &none));
    Check(object_->QueryInterface(IID_IDispatch, dispatch_.PutVoid()));
    ComPtr<IConnectionPointContainer> points;
    Check(object_->QueryInterface(IID_IConnectionPointContainer, points.PutVoid()));
    Check(points->FindConnectionPoint(control.events, events_.Put()));
    Check(events_->Advise(control.sink, &cookie_));
  } catch (...) {
    Close();
    throw;
  }
}

ControlHost::~ControlHost() { Close(); }

void ControlHost::Close() {
  if (events_ && cookie_) events_->Unadvise(cookie_);
  cookie_ = 0;
  events_.Reset();
  dispatch_.Reset();
  if (object_) {
    object_->Close(OLECLOSE_NOSAVE);
    object_->SetClientSite(nullptr);
    object_.Reset();
  }
  site_.Reset();
}

}  // namespace dorvane::win32
