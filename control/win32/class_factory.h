// Static class factories: one for the control, one for its property page.
#pragma once

#include <unknwn.h>
#include <windows.h>

class ClassFactory : public IClassFactory {
 public:
  using Create = HRESULT (*)(REFIID iid, void** object);
  explicit ClassFactory(Create create) : create_(create) {}

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
  // The factories live as long as the library: counts are not kept.
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** object) override;
  HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override;

 private:
  Create create_;
};

ClassFactory& ControlFactory();
ClassFactory& PageFactory();
