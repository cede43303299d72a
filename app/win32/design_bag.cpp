#include "design_bag.h"

#include <utility>

#include "trace.h"

namespace dorvane::win32 {

ComPtr<DesignBag> DesignBag::Create() { return ComPtr<DesignBag>::Adopt(new DesignBag()); }

void DesignBag::Set(const std::wstring& name, Variant value) { values_[name] = std::move(value); }

HRESULT DesignBag::QueryInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IPropertyBag)) {
    *object = static_cast<IPropertyBag*>(this);
    AddRef();
    return S_OK;
  }
  *object = nullptr;
  return NoInterface("DesignBag", iid);
}

HRESULT DesignBag::Read(LPCOLESTR name, VARIANT* value, IErrorLog*) {
  if (!name || !value) return E_POINTER;
  const auto found = values_.find(name);
  if (found == values_.end()) return E_INVALIDARG;
  // The caller may ask for a type (V_VT set) or take the stored one (VT_EMPTY).
  const VARTYPE wanted = V_VT(value);
  VariantInit(value);
  if (wanted == VT_EMPTY) return VariantCopy(value, found->second.Get());
  return VariantChangeType(value, found->second.Get(), 0, wanted);
}

// The design is fixed in the program; a control that saves into it has nowhere to go.
HRESULT DesignBag::Write(LPCOLESTR, VARIANT*) { return NotImplemented("DesignBag::Write"); }

}  // namespace dorvane::win32
