#include "client_site.h"

#include "tonvex_contract.h"
#include "trace.h"

namespace dorvane::win32 {

ComPtr<ClientSite> ClientSite::Create(HWND parent) {
  return ComPtr<ClientSite>::Adopt(new ClientSite(parent));
}

HRESULT ClientSite::QueryInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IOleClientSite)) {
    *object = static_cast<IOleClientSite*>(this);
  } else if (IsEqualIID(iid, IID_IOleWindow) || IsEqualIID(iid, IID_IOleInPlaceSite)) {
    *object = static_cast<IOleInPlaceSite*>(this);
  } else if (IsEqualIID(iid, IID_IDispatch)) {
    *object = static_cast<IDispatch*>(this);
  } else {
    *object = nullptr;
    return NoInterface("ClientSite", iid);
  }
  AddRef();
  return S_OK;
}

// The program keeps the control's design in code, so there is nothing to save it to.
HRESULT ClientSite::SaveObject() { return NotImplemented("IOleClientSite::SaveObject"); }

HRESULT ClientSite::GetMoniker(DWORD, DWORD, IMoniker** moniker) {
  if (moniker) *moniker = nullptr;
  return NotImplemented("IOleClientSite::GetMoniker");
}

HRESULT ClientSite::GetContainer(IOleContainer** container) {
  if (container) *container = nullptr;
  return NoInterface("ClientSite", IID_IOleContainer);
}

HRESULT ClientSite::RequestNewObjectLayout() {
  return NotImplemented("IOleClientSite::RequestNewObjectLayout");
}

HRESULT ClientSite::GetWindow(HWND* window) {
  if (!window) return E_POINTER;
  *window = parent_;
  return S_OK;
}

HRESULT ClientSite::ContextSensitiveHelp(BOOL) {
  return NotImplemented("IOleWindow::ContextSensitiveHelp");
}

// The control sits at the origin of a window that is never shown, without a frame or a document
// window of its own: it has no menus or tools to merge.
HRESULT ClientSite::GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document,
                                     LPRECT position, LPRECT clip,
                                     LPOLEINPLACEFRAMEINFO frameInfo) {
  if (frame) *frame = nullptr;
  if (document) *document = nullptr;
  if (position) SetRectEmpty(position);
  if (clip) SetRectEmpty(clip);
  if (frameInfo) {
    frameInfo->fMDIApp = FALSE;
    frameInfo->hwndFrame = parent_;
    frameInfo->haccel = nullptr;
    frameInfo->cAccelEntries = 0;
  }
  return S_OK;
}

HRESULT ClientSite::Scroll(SIZE) { return NotImplemented("IOleInPlaceSite::Scroll"); }

HRESULT ClientSite::GetTypeInfoCount(UINT* count) {
  if (!count) return E_POINTER;
  *count = 0;
  return S_OK;
}

HRESULT ClientSite::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
  if (info) *info = nullptr;
  return NotImplemented("ClientSite::GetTypeInfo");
}

HRESULT ClientSite::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) {
  return DISP_E_UNKNOWNNAME;
}

HRESULT ClientSite::Invoke(DISPID dispid, REFIID, LCID, WORD flags, DISPPARAMS*, VARIANT* result,
                           EXCEPINFO*, UINT*) {
  // Any other ambient property is one the site does not know; the control takes its default.
  if (dispid != tonvex::contract::dispid::kAmbientUserMode) return DISP_E_MEMBERNOTFOUND;
  if (!(flags & DISPATCH_PROPERTYGET) || !result) return DISP_E_MEMBERNOTFOUND;
  VariantInit(result);
  V_VT(result) = VT_BOOL;
  V_BOOL(result) = VARIANT_TRUE;
  return S_OK;
}

}  // namespace dorvane::win32
