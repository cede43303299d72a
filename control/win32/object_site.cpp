// The portable control's view of its container: ambient properties, window, timer, redraw.
#include "module.h"
#include "resource_ids.h"
#include "tonvex_object.h"

namespace {

INT_PTR CALLBACK AboutProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
        EndDialog(dialog, LOWORD(wParam));
        return TRUE;
      }
      break;
    case WM_CLOSE:
      EndDialog(dialog, IDCANCEL);
      return TRUE;
  }
  return FALSE;
}

}  // namespace

bool TonvexObject::AmbientUserMode() const {
  // Without a site, or with one that does not say, the control is running.
  if (!clientSite_) return true;
  const auto ambient = clientSite_.As<IDispatch>(IID_IDispatch);
  if (!ambient) return true;
  VARIANT value;
  VariantInit(&value);
  DISPPARAMS none = {nullptr, nullptr, 0, 0};
  const HRESULT result = ambient->Invoke(DISPID_AMBIENT_USERMODE, IID_NULL, LOCALE_USER_DEFAULT,
                                         DISPATCH_PROPERTYGET, &none, &value, nullptr, nullptr);
  bool userMode = true;
  if (SUCCEEDED(result) && SUCCEEDED(VariantChangeType(&value, &value, 0, VT_BOOL))) {
    userMode = V_BOOL(&value) != VARIANT_FALSE;
  }
  VariantClear(&value);
  return userMode;
}

tonvex::WindowHandle TonvexObject::Window() const {
  return reinterpret_cast<tonvex::WindowHandle>(window_.Handle());
}

tonvex::WindowHandle TonvexObject::CreateControlWindow() {
  HWND parent = nullptr;
  if (inPlaceSite_) inPlaceSite_->GetWindow(&parent);
  return reinterpret_cast<tonvex::WindowHandle>(window_.Recreate(parent));
}

bool TonvexObject::SetTimer(uint32_t id, uint32_t periodMs) {
  return window_.Handle() && ::SetTimer(window_.Handle(), id, periodMs, nullptr) != 0;
}

void TonvexObject::KillTimer(uint32_t id) {
  if (window_.Handle()) ::KillTimer(window_.Handle(), id);
}

void TonvexObject::Invalidate() {
  if (inPlaceSite_ && window_.Handle()) InvalidateRect(window_.Handle(), nullptr, TRUE);
  if (viewSink_) viewSink_->OnViewChange(DVASPECT_CONTENT, -1);
}

void TonvexObject::ShowAboutBox() {
  DialogBoxParamW(ModuleInstance(), MAKEINTRESOURCEW(IDD_ABOUTBOX), GetActiveWindow(),
                  &AboutProcedure, 0);
}
