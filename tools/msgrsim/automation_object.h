// One automation object with one reference count: IUnknown and IDispatch for the dual
// interface I. Names, DISPIDs and argument types come from the type library, and
// ITypeInfo::Invoke calls the vtable member, so no DISPID is repeated in code.
#pragma once

#include <oaidl.h>

#include <initializer_list>
#include <vector>

#include "com_ptr.h"
#include "reference_counted.h"
#include "type_library.h"

namespace msgrsim {

template <typename I>
class AutomationObject : public I, private ReferenceCounted {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) || Offers(iid)) {
      *object = static_cast<I*>(this);
    } else {
      *object = OtherInterface(iid);
    }
    if (!*object) return E_NOINTERFACE;
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return AddReference(); }
  ULONG STDMETHODCALLTYPE Release() override { return DropReference(); }

  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    if (!count) return E_POINTER;
    *count = 1;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID, ITypeInfo** info) override {
    if (!info) return E_POINTER;
    if (index != 0) return DISP_E_BADINDEX;
    return InterfaceTypeInfo(interfaces_.front(), info);
  }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID,
                                          DISPID* dispids) override {
    ComPtr<ITypeInfo> info;
    const HRESULT result = InterfaceTypeInfo(interfaces_.front(), info.Put());
    return FAILED(result) ? result : info->GetIDsOfNames(names, count, dispids);
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID dispid, REFIID iid, LCID, WORD flags, DISPPARAMS* params,
                                   VARIANT* result, EXCEPINFO* exception, UINT* argError) override {
    if (!IsEqualIID(iid, IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
    ComPtr<ITypeInfo> info;
    const HRESULT found = InterfaceTypeInfo(interfaces_.front(), info.Put());
    if (FAILED(found)) return found;
    SetErrorInfo(0, nullptr);
    return info->Invoke(static_cast<I*>(this), dispid, flags, params, result, exception, argError);
  }

 protected:
  // The interfaces the object answers for, the most derived (whose members it offers) first.
  explicit AutomationObject(std::initializer_list<IID> interfaces) : interfaces_(interfaces) {}
  ~AutomationObject() override = default;
  // Interfaces besides the dual one, pointing into this object; null when there is none.
  virtual void* OtherInterface(REFIID) { return nullptr; }

 private:
  bool Offers(REFIID iid) const {
    for (const IID& offered : interfaces_) {
      if (IsEqualIID(iid, offered)) return true;
    }
    return false;
  }

  std::vector<IID> interfaces_;
};

// Gives the caller the interface iid of a new object, which goes with its last reference.
// Gives the caller the interface iid of a new object, which goes with its last reference.
HRESULT HandOver(IUnknown* created, REFIID iid, void** object);

}  // namespace msgrsim
