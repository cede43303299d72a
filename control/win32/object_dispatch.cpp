// IDispatch and IProvideClassInfo2: names and types from the embedded type library, calls
// through the portable dispatch table.
#include <vector>

#include "guids.h"
#include "module.h"
#include "tonvex_object.h"
#include "variant_conversion.h"

namespace {

// The module's own type library, loaded once: resource 1 of the library file.
ITypeLib* TypeLibrary() {
  static ITypeLib* library = [] {
    ITypeLib* loaded = nullptr;
    LoadTypeLibEx(ModulePath().c_str(), REGKIND_NONE, &loaded);
    return loaded;
  }();
  return library;
}

HRESULT TypeInfoOf(REFGUID guid, ITypeInfo** info) {
  if (!info) return E_POINTER;
  *info = nullptr;
  ITypeLib* library = TypeLibrary();
  if (!library) return TYPE_E_CANTLOADLIBRARY;
  return library->GetTypeInfoOfGuid(guid, info);
}

}  // namespace

HRESULT TonvexObject::GetTypeInfoCount(UINT* count) {
  if (!count) return E_POINTER;
  *count = 1;
  return S_OK;
}

HRESULT TonvexObject::GetTypeInfo(UINT index, LCID, ITypeInfo** info) {
  if (index != 0) return DISP_E_BADINDEX;
  return TypeInfoOf(DIID__DTonvex, info);
}

HRESULT TonvexObject::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* dispids) {
  ComPtr<ITypeInfo> info;
  const HRESULT result = TypeInfoOf(DIID__DTonvex, info.Put());
  if (FAILED(result)) return result;
  return info->GetIDsOfNames(names, count, dispids);
}

HRESULT TonvexObject::Invoke(DISPID dispid, REFIID iid, LCID, WORD flags, DISPPARAMS* params,
                             VARIANT* result, EXCEPINFO*, UINT* argError) {
  if (!IsEqualIID(iid, IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
  if (!params) return E_INVALIDARG;
  const bool put = (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) != 0;
  // The only named argument a caller may give is the value of a property put.
  if (params->cNamedArgs > (put ? 1u : 0u)) return DISP_E_NONAMEDARGS;
  if (put && params->cNamedArgs == 1 && params->rgdispidNamedArgs[0] != DISPID_PROPERTYPUT) {
    return DISP_E_PARAMNOTFOUND;
  }

  // COM passes the arguments last first.
  std::vector<tonvex::Variant> args(params->cArgs);
  for (UINT i = 0; i < params->cArgs; ++i) {
    const HRESULT converted = FromVariant(params->rgvarg[params->cArgs - 1 - i], args[i]);
    if (FAILED(converted)) {
      if (argError) *argError = params->cArgs - 1 - i;
      return converted;
    }
  }
  tonvex::Variant value;
  uint32_t portableArgError = 0;
  AddRef();  // a method may fire events whose handlers release the caller's reference
  const HRESULT invoked = control_.Invoke(dispid, flags, args, &value, &portableArgError);
  Release();
  if (FAILED(invoked)) {
    const bool badArgument = invoked == DISP_E_TYPEMISMATCH || invoked == DISP_E_OVERFLOW;
    if (badArgument && argError) *argError = params->cArgs - 1 - portableArgError;
    return invoked;
  }
  if (result) ToVariant(value, result);
  return S_OK;
}

HRESULT TonvexObject::GetClassInfo(ITypeInfo** info) { return TypeInfoOf(CLSID_Tonvex, info); }

HRESULT TonvexObject::GetGUID(DWORD kind, GUID* guid) {
  if (!guid) return E_POINTER;
  if (kind != GUIDKIND_DEFAULT_SOURCE_DISP_IID) return E_INVALIDARG;
  *guid = DIID__DTonvexEvents;
  return S_OK;
}
