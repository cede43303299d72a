// IDispatch and IProvideClassInfo2: names and types from the embedded type library, calls
// through the portable dispatch table.
#include <vector>

#include "guids.h"
#include "module.h"
#include "text.h"
#include "tonvex_object.h"

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

// A VARIANT as the portable variant: references followed, other numeric types widened.
HRESULT FromVariant(const VARIANT& in, tonvex::Variant& out) {
  VARIANT value;
  VariantInit(&value);
  HRESULT result = VariantCopyInd(&value, const_cast<VARIANT*>(&in));
  if (FAILED(result)) return result;
  switch (V_VT(&value)) {
    case VT_EMPTY:
      out = tonvex::Variant();
      break;
    case VT_I2:
      out = tonvex::Variant::I2(V_I2(&value));
      break;
    case VT_I4:
      out = tonvex::Variant::I4(V_I4(&value));
      break;
    case VT_R8:
      out = tonvex::Variant::R8(V_R8(&value));
      break;
    case VT_BOOL:
      out = tonvex::Variant::Bool(V_BOOL(&value) != VARIANT_FALSE);
      break;
    case VT_BSTR:
      out = tonvex::Variant::BStr(WideToUtf8(V_BSTR(&value), SysStringLen(V_BSTR(&value))));
      break;
    default:
      // Other numbers (bytes, floats, currency, dates) as doubles; nothing else converts.
      result = VariantChangeType(&value, &value, 0, VT_R8);
      if (SUCCEEDED(result)) out = tonvex::Variant::R8(V_R8(&value));
      if (result == DISP_E_BADVARTYPE) result = DISP_E_TYPEMISMATCH;
      break;
  }
  VariantClear(&value);
  return result;
}

void ToVariant(const tonvex::Variant& in, VARIANT* out) {
  VariantInit(out);
  switch (in.Type()) {
    case tonvex::VarType::Empty:
      break;
    case tonvex::VarType::I2:
      V_VT(out) = VT_I2;
      V_I2(out) = in.AsI2();
      break;
    case tonvex::VarType::I4:
      V_VT(out) = VT_I4;
      V_I4(out) = in.AsI4();
      break;
    case tonvex::VarType::R8:
      V_VT(out) = VT_R8;
      V_R8(out) = in.AsR8();
      break;
    case tonvex::VarType::Bool:
      V_VT(out) = VT_BOOL;
      V_BOOL(out) = in.AsBool() ? VARIANT_TRUE : VARIANT_FALSE;
      break;
    case tonvex::VarType::BStr:
      V_VT(out) = VT_BSTR;
      V_BSTR(out) = Utf8ToBstr(in.AsBStr());
      break;
  }
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
  ITypeInfo* info = nullptr;
  HRESULT result = TypeInfoOf(DIID__DTonvex, &info);
  if (FAILED(result)) return result;
  result = info->GetIDsOfNames(names, count, dispids);
  info->Release();
  return result;
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
