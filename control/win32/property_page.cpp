#include "property_page.h"

#include <new>

#include "module.h"
#include "resource_ids.h"
#include "trace.h"

namespace {

INT_PTR CALLBACK PageProcedure(HWND, UINT message, WPARAM, LPARAM) {
  return message == WM_INITDIALOG ? TRUE : FALSE;
}

}  // namespace

HRESULT PropertyPage::Create(REFIID iid, void** object) {
  auto* page = new (std::nothrow) PropertyPage();
  if (!page) return E_OUTOFMEMORY;
  const HRESULT result = page->QueryInterface(iid, object);
  page->Release();
  return result;
}

PropertyPage::PropertyPage() { ObjectCreated(); }

PropertyPage::~PropertyPage() {
  Deactivate();
  ReleaseObjects();
  if (site_) site_->Release();
  ObjectDestroyed();
}

HRESULT PropertyPage::QueryInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IPropertyPage)) {
    *object = static_cast<IPropertyPage*>(this);
    AddRef();
    return S_OK;
  }
  *object = nullptr;
  return NoInterface("PropertyPage", iid);
}

ULONG PropertyPage::AddRef() { return AddReference(); }

ULONG PropertyPage::Release() { return DropReference(); }

HRESULT PropertyPage::SetPageSite(IPropertyPageSite* site) {
  if (site) site->AddRef();
  if (site_) site_->Release();
  site_ = site;
  return S_OK;
}

HRESULT PropertyPage::Activate(HWND parent, LPCRECT rect, BOOL) {
  Deactivate();
  dialog_ = CreateDialogParamW(ModuleInstance(), MAKEINTRESOURCEW(IDD_PROPPAGE), parent,
                               &PageProcedure, 0);
  if (!dialog_) return E_FAIL;
  if (rect) Move(rect);
  return S_OK;
}

HRESULT PropertyPage::Deactivate() {
  if (dialog_) DestroyWindow(dialog_);
  dialog_ = nullptr;
  return S_OK;
}

HRESULT PropertyPage::GetPageInfo(PROPPAGEINFO* info) {
  if (!info) return E_POINTER;
  // The page's size is its dialog's, in pixels: measured on a hidden instance.
  SIZE size = {0, 0};
  HWND measured = CreateDialogParamW(ModuleInstance(), MAKEINTRESOURCEW(IDD_PROPPAGE),
                                     GetDesktopWindow(), &PageProcedure, 0);
  if (measured) {
    RECT rect;
    GetWindowRect(measured, &rect);
    size = {rect.right - rect.left, rect.bottom - rect.top};
    DestroyWindow(measured);
  }
  info->cb = sizeof *info;
  info->pszTitle = CopyResourceString(IDS_PAGE_CAPTION);
  info->size = size;
  info->pszDocString = nullptr;
  info->pszHelpFile = nullptr;
  info->dwHelpContext = 0;
  return info->pszTitle ? S_OK : E_OUTOFMEMORY;
}

HRESULT PropertyPage::SetObjects(ULONG count, IUnknown** objects) {
  if (count && !objects) return E_POINTER;
  ReleaseObjects();
  if (count == 0) return S_OK;
  objects_ = new (std::nothrow) IUnknown*[count];
  if (!objects_) return E_OUTOFMEMORY;
  for (ULONG i = 0; i < count; ++i) {
    objects_[i] = objects[i];
    if (objects_[i]) objects_[i]->AddRef();
  }
  objectCount_ = count;
  return S_OK;
}

void PropertyPage::ReleaseObjects() {
  for (ULONG i = 0; i < objectCount_; ++i) {
    if (objects_[i]) objects_[i]->Release();
  }
  delete[] objects_;
  objects_ = nullptr;
  objectCount_ = 0;
}

HRESULT PropertyPage::Show(UINT command) {
  if (!dialog_) return E_UNEXPECTED;
  ShowWindow(dialog_, command);
  return S_OK;
}

HRESULT PropertyPage::Move(LPCRECT rect) {
  if (!rect) return E_POINTER;
  if (!dialog_) return E_UNEXPECTED;
  MoveWindow(dialog_, rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top,
             TRUE);
  return S_OK;
}

HRESULT PropertyPage::TranslateAccelerator(MSG* message) {
  return dialog_ && message && IsDialogMessageW(dialog_, message) ? S_OK : S_FALSE;
}
