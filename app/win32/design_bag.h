// A property bag holding a control's design-time properties, for IPersistPropertyBag::Load:
// what a form file would hold, kept in the program.
#pragma once

#include <ocidl.h>

#include <map>
#include <string>

#include "com_ptr.h"
#include "dispatch_call.h"
#include "host_object.h"

namespace dorvane::win32 {

class DesignBag final : public IPropertyBag, private HostObject {
 public:
  static ComPtr<DesignBag> Create();

  void Set(const std::wstring& name, Variant value);

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override { return AddReference(); }
  ULONG STDMETHODCALLTYPE Release() override { return DropReference(); }

  // IPropertyBag: a name that is not held answers E_INVALIDARG, and the control takes its default.
  HRESULT STDMETHODCALLTYPE Read(LPCOLESTR name, VARIANT* value, IErrorLog*) override;
  HRESULT STDMETHODCALLTYPE Write(LPCOLESTR name, VARIANT* value) override;

 private:
  DesignBag() = default;
  ~DesignBag() override = default;

  std::map<std::wstring, Variant> values_;
};

}  // namespace dorvane::win32
