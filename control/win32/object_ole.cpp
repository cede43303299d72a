// IOleObject, IOleControl and IOleInPlaceObject: siting, verbs, extent, in-place activation.
#include "guids.h"
#include "module.h"
#include "property_page.h"
#include "resource_ids.h"
#include "tonvex_object.h"
#include "trace.h"

HRESULT TonvexObject::SetClientSite(IOleClientSite* site) {
  clientSite_ = ComPtr<IOleClientSite>::Share(site);
  if (site) control_.OnSetClientSite();
  return S_OK;
}

HRESULT TonvexObject::GetClientSite(IOleClientSite** site) {
  if (!site) return E_POINTER;
  *site = clientSite_.Copy();
  return S_OK;
}

HRESULT TonvexObject::Close(DWORD) {
  InPlaceDeactivate();
  window_.Destroy();
  return S_OK;
}

HRESULT TonvexObject::GetMoniker(DWORD, DWORD, IMoniker** out) {
  if (out) *out = nullptr;
  return NotImplemented("IOleObject::GetMoniker");
}

HRESULT TonvexObject::GetClipboardData(DWORD, IDataObject** out) {
  if (out) *out = nullptr;
  return NotImplemented("IOleObject::GetClipboardData");
}

HRESULT TonvexObject::DoVerb(LONG verb, LPMSG, IOleClientSite*, LONG, HWND parent, LPCRECT) {
  switch (verb) {
    case OLEIVERB_PROPERTIES: {
      IUnknown* self = Identity();
      CLSID page = CLSID_TonvexPropPage;
      return OleCreatePropertyFrame(parent, 0, 0, L"Tonvex Control", 1, &self, 1, &page,
                                    LOCALE_USER_DEFAULT, 0, nullptr);
    }
    case OLEIVERB_PRIMARY:
    case OLEIVERB_SHOW:
    case OLEIVERB_INPLACEACTIVATE:
    case OLEIVERB_UIACTIVATE:
      return InPlaceActivate(parent);
    case OLEIVERB_HIDE:
      return InPlaceDeactivate();
  }
  return OLEOBJ_S_INVALIDVERB;
}

HRESULT TonvexObject::EnumVerbs(IEnumOLEVERB** out) {
  if (!out) return E_POINTER;
  return OleRegEnumVerbs(CLSID_Tonvex, out);
}

HRESULT TonvexObject::GetUserClassID(CLSID* clsid) { return GetClassID(clsid); }

HRESULT TonvexObject::GetUserType(DWORD, LPOLESTR* name) {
  if (!name) return E_POINTER;
  *name = CopyResourceString(IDS_CONTROL_TYPE_NAME);
  return *name ? S_OK : E_OUTOFMEMORY;
}

HRESULT TonvexObject::SetExtent(DWORD aspect, SIZEL* size) {
  if (!size) return E_POINTER;
  if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
  control_.SetExtent(size->cx, size->cy);
  return S_OK;
}

HRESULT TonvexObject::GetExtent(DWORD aspect, SIZEL* size) {
  if (!size) return E_POINTER;
  if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
  size->cx = control_.ExtentX();
  size->cy = control_.ExtentY();
  return S_OK;
}

HRESULT TonvexObject::Advise(IAdviseSink* sink, DWORD* cookie) {
  if (!oleAdviseHolder_) {
    const HRESULT created = CreateOleAdviseHolder(oleAdviseHolder_.Put());
    if (FAILED(created)) return created;
  }
  return oleAdviseHolder_->Advise(sink, cookie);
}

HRESULT TonvexObject::Unadvise(DWORD cookie) {
  if (!oleAdviseHolder_) return OLE_E_NOCONNECTION;
  return oleAdviseHolder_->Unadvise(cookie);
}

HRESULT TonvexObject::EnumAdvise(IEnumSTATDATA** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (!oleAdviseHolder_) return S_OK;
  return oleAdviseHolder_->EnumAdvise(out);
}

HRESULT TonvexObject::GetMiscStatus(DWORD aspect, DWORD* status) {
  if (!status) return E_POINTER;
  *status = aspect == DVASPECT_CONTENT ? kMiscStatus : 0;
  return S_OK;
}

HRESULT TonvexObject::GetControlInfo(CONTROLINFO* info) {
  if (!info) return E_POINTER;
  info->cb = sizeof *info;
  info->hAccel = nullptr;
  info->cAccel = 0;
  info->dwFlags = 0;
  return S_OK;
}

HRESULT TonvexObject::OnAmbientPropertyChange(DISPID dispid) {
  control_.OnAmbientPropertyChange(dispid);
  return S_OK;
}

HRESULT TonvexObject::FreezeEvents(BOOL freeze) {
  frozenEvents_ += freeze ? 1 : (frozenEvents_ > 0 ? -1 : 0);
  return S_OK;
}

HRESULT TonvexObject::GetWindow(HWND* hwnd) {
  if (!hwnd) return E_POINTER;
  *hwnd = window_.Handle();
  return *hwnd ? S_OK : E_FAIL;
}

HRESULT TonvexObject::InPlaceActivate(HWND) {
  if (inPlaceSite_) return S_OK;
  if (!clientSite_) return E_UNEXPECTED;
  auto site = clientSite_.As<IOleInPlaceSite>(IID_IOleInPlaceSite);
  if (!site) return E_NOINTERFACE;
  HWND parent = nullptr;
  if (site->CanInPlaceActivate() != S_OK || FAILED(site->GetWindow(&parent))) return E_FAIL;
  site->OnInPlaceActivate();
  ComPtr<IOleInPlaceFrame> frame;
  ComPtr<IOleInPlaceUIWindow> document;
  RECT position = {}, clip = {};
  OLEINPLACEFRAMEINFO frameInfo = {};
  frameInfo.cb = sizeof frameInfo;
  site->GetWindowContext(frame.Put(), document.Put(), &position, &clip, &frameInfo);
  inPlaceSite_ = site;
  // The window now lives in the container's window, where it paints the picture.
  HWND hwnd = window_.Handle() ? window_.Handle() : window_.Recreate(parent);
  SetWindowLongPtrW(hwnd, GWL_STYLE, WS_CHILD | WS_CLIPSIBLINGS);
  SetParent(hwnd, parent);
  SetObjectRects(&position, &clip);
  ShowWindow(hwnd, SW_SHOWNA);
  return S_OK;
}

HRESULT TonvexObject::InPlaceDeactivate() {
  if (!inPlaceSite_) return S_OK;
  if (HWND hwnd = window_.Handle()) {
    ShowWindow(hwnd, SW_HIDE);
    SetParent(hwnd, nullptr);
    SetWindowLongPtrW(hwnd, GWL_STYLE, WS_POPUP);
  }
  const ComPtr<IOleInPlaceSite> site = std::move(inPlaceSite_);
  site->OnInPlaceDeactivate();
  return S_OK;
}

HRESULT TonvexObject::SetObjectRects(LPCRECT position, LPCRECT) {
  if (!position) return E_POINTER;
  if (HWND hwnd = window_.Handle()) {
    MoveWindow(hwnd, position->left, position->top, position->right - position->left,
               position->bottom - position->top, TRUE);
  }
  return S_OK;
}

HRESULT TonvexObject::GetPages(CAUUID* pages) {
  if (!pages) return E_POINTER;
  pages->pElems = static_cast<GUID*>(CoTaskMemAlloc(sizeof(GUID)));
  if (!pages->pElems) {
    pages->cElems = 0;
    return E_OUTOFMEMORY;
  }
  pages->cElems = 1;
  pages->pElems[0] = CLSID_TonvexPropPage;
  return S_OK;
}
