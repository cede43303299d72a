#include "dispatch_call.h"

#include "runtime_error.h"
#include "system_error.h"
#include "text.h"

namespace dorvane::win32 {
namespace {

// Holds the strings an EXCEPINFO was given, and frees them.
struct ExceptionInfo {
  EXCEPINFO info = {};
  ~ExceptionInfo() {
    SysFreeString(info.bstrSource);
    SysFreeString(info.bstrDescription);
    SysFreeString(info.bstrHelpFile);
  }
};

Variant Converted(const Variant& value, VARTYPE type) {
  Variant converted;
  const HRESULT result =
      VariantChangeType(converted.Get(), const_cast<VARIANT*>(&value.Value()), 0, type);
  if (FAILED(result)) ThrowFailure(result);
  return converted;
}

}  // namespace

Variant Variant::Text(const std::string& utf8) {
  Variant text;
  V_VT(text.Get()) = VT_BSTR;
  V_BSTR(text.Get()) = Utf8ToBstr(utf8);
  return text;
}

Variant Variant::Long(int32_t value) {
  Variant number;
  V_VT(number.Get()) = VT_I4;
  V_I4(number.Get()) = value;
  return number;
}

Variant Variant::Object(IDispatch* object) {
  Variant reference;
  V_VT(reference.Get()) = VT_DISPATCH;
  V_DISPATCH(reference.Get()) = object;
  if (object) object->AddRef();
  return reference;
}

Variant Call(IDispatch* object, const wchar_t* name, WORD flags, std::vector<Variant> args) {
  if (!object) throw failure::ObjectNotSet();
  DISPID dispid = DISPID_UNKNOWN;
  LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
  const HRESULT found = object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &dispid);
  if (FAILED(found)) ThrowFailure(found);
  return Call(object, dispid, flags, std::move(args));
}

Variant Call(IDispatch* object, DISPID dispid, WORD flags, std::vector<Variant> args) {
  if (!object) throw failure::ObjectNotSet();
  // IDispatch takes the arguments last first.
  std::vector<VARIANT> reversed;
  for (auto arg = args.rbegin(); arg != args.rend(); ++arg) reversed.push_back(arg->Value());
  DISPID put = DISPID_PROPERTYPUT;
  DISPPARAMS params = {reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
  if (flags & DISPATCH_PROPERTYPUT) {
    params.rgdispidNamedArgs = &put;
    params.cNamedArgs = 1;
  }
  Variant result;
  ExceptionInfo exception;
  UINT argError = 0;
  const HRESULT called = object->Invoke(dispid, IID_NULL, LOCALE_USER_DEFAULT, flags, &params,
                                        result.Get(), &exception.info, &argError);
  if (called == DISP_E_EXCEPTION) ThrowFailure(called, &exception.info);
  if (FAILED(called)) ThrowFailure(called);
  return result;
}

std::string AsText(const Variant& value) {
  const Variant text = Converted(value, VT_BSTR);
  const BSTR chars = V_BSTR(&text.Value());
  return WideToUtf8(chars, SysStringLen(chars));
}

int32_t AsLong(const Variant& value) { return V_I4(&Converted(value, VT_I4).Value()); }

bool AsBool(const Variant& value) {
  return V_BOOL(&Converted(value, VT_BOOL).Value()) != VARIANT_FALSE;
}

ComPtr<IDispatch> AsObject(const Variant& value, REFIID iid) {
  const Variant object = Converted(value, VT_DISPATCH);
  if (!V_DISPATCH(&object.Value())) throw failure::ObjectNotSet();
  ComPtr<IDispatch> asked;
  const HRESULT result = V_DISPATCH(&object.Value())->QueryInterface(iid, asked.PutVoid());
  if (FAILED(result)) ThrowFailure(result);
  return asked;
}

void ThrowFailure(HRESULT result, EXCEPINFO* exception) {
  if (exception) {
    if (exception->pfnDeferredFillIn) exception->pfnDeferredFillIn(exception);
    const HRESULT code =
        exception->scode ? exception->scode : (exception->wCode ? exception->wCode : result);
    const UINT length = SysStringLen(exception->bstrDescription);
    const std::string text = length ? WideToUtf8(exception->bstrDescription, length)
                                    : SystemErrorText(static_cast<DWORD>(code));
    throw RuntimeError(static_cast<int32_t>(code), text);
  }
  throw RuntimeError(static_cast<int32_t>(result), SystemErrorText(static_cast<DWORD>(result)));
}

}  // namespace dorvane::win32
