// The control's one property page: dialog 200, which says that nothing is supported and
// binds no property.
#pragma once

#include <ocidl.h>
#include <windows.h>

#include "reference_counted.h"
#include "trace.h"

class PropertyPage final : public IPropertyPage, private ReferenceCounted {
 public:
  static HRESULT Create(REFIID iid, void** object);

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;

  HRESULT STDMETHODCALLTYPE SetPageSite(IPropertyPageSite* site) override;
  HRESULT STDMETHODCALLTYPE Activate(HWND parent, LPCRECT rect, BOOL modal) override;
  HRESULT STDMETHODCALLTYPE Deactivate() override;
  HRESULT STDMETHODCALLTYPE GetPageInfo(PROPPAGEINFO* info) override;
  HRESULT STDMETHODCALLTYPE SetObjects(ULONG count, IUnknown** objects) override;
  HRESULT STDMETHODCALLTYPE Show(UINT command) override;
  HRESULT STDMETHODCALLTYPE Move(LPCRECT rect) override;
  HRESULT STDMETHODCALLTYPE IsPageDirty() override { return S_FALSE; }
  HRESULT STDMETHODCALLTYPE Apply() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE Help(LPCOLESTR) override {
    return NotImplemented("IPropertyPage::Help");
  }
  HRESULT STDMETHODCALLTYPE TranslateAccelerator(MSG* message) override;

 private:
  PropertyPage();
  ~PropertyPage() override;
  void ReleaseObjects();

  IPropertyPageSite* site_ = nullptr;
  IUnknown** objects_ = nullptr;
  ULONG objectCount_ = 0;
  HWND dialog_ = nullptr;
};
