#include "dtmf_hit_sink.h"

#include <utility>

#include "contract_guid.h"
#include "trace.h"

namespace dorvane::win32 {
namespace {

namespace contract = tonvex::contract;

// One argument by its declared position, coerced to the type the handler takes (a number type:
// nothing to free afterwards).
HRESULT Argument(DISPPARAMS* params, size_t position, VARTYPE type, VARIANT* value,
                 UINT* argError) {
  VariantInit(value);
  return DispGetParam(params, static_cast<UINT>(position), type, value, argError);
}

}  // namespace

ComPtr<DtmfHitSink> DtmfHitSink::Create(DtmfHitHandler onDtmfHit) {
  return ComPtr<DtmfHitSink>::Adopt(new DtmfHitSink(std::move(onDtmfHit)));
}

DtmfHitSink::DtmfHitSink(DtmfHitHandler onDtmfHit) : onDtmfHit_(std::move(onDtmfHit)) {}

HRESULT DtmfHitSink::QueryInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) ||
      IsEqualIID(iid, ToGuid(contract::kIidDTonvexEvents))) {
    *object = static_cast<IDispatch*>(this);
    AddRef();
    return S_OK;
  }
  *object = nullptr;
  return NoInterface("DtmfHitSink", iid);
}

HRESULT DtmfHitSink::GetTypeInfoCount(UINT* count) {
  if (!count) return E_POINTER;
  *count = 0;
  return S_OK;
}

HRESULT DtmfHitSink::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
  if (info) *info = nullptr;
  return NotImplemented("DtmfHitSink::GetTypeInfo");
}

HRESULT DtmfHitSink::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) {
  return DISP_E_UNKNOWNNAME;
}

HRESULT DtmfHitSink::Invoke(DISPID dispid, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*,
                            EXCEPINFO*, UINT* argError) {
  if (dispid != contract::event::kDtmfHit) return S_OK;
  if (!params) return E_POINTER;
  if (params->cArgs != contract::kDtmfHitArgCount) return DISP_E_BADPARAMCOUNT;
  VARIANT keyCode, level, sensitivity, unusedSize;
  HRESULT result = Argument(params, contract::kDtmfHitKeyCode, VT_I2, &keyCode, argError);
  if (SUCCEEDED(result)) {
    result = Argument(params, contract::kDtmfHitLevel, VT_I2, &level, argError);
  }
  if (SUCCEEDED(result)) {
    result = Argument(params, contract::kDtmfHitSensitivity, VT_I4, &sensitivity, argError);
  }
  if (SUCCEEDED(result)) {
    result = Argument(params, contract::kDtmfHitUnusedSize, VT_I4, &unusedSize, argError);
  }
  if (FAILED(result)) return result;
  // The runtime hands over a handler that traps everything, the program's end included, and
  // rethrows that once the control has returned. Should anything slip through all the same, it
  // stops here: an exception must not unwind through the control's frames.
  try {
    onDtmfHit_(V_I2(&keyCode), V_I2(&level), V_I4(&sensitivity), V_I4(&unusedSize));
  } catch (...) {
    Trace("DtmfHitSink::Invoke: the handler threw; the exception was dropped");
    return E_UNEXPECTED;
  }
  return S_OK;
}

}  // namespace dorvane::win32
