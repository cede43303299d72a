#include "variant_conversion.h"

#include "text.h"

namespace {

std::string BstrToUtf8(BSTR text) { return WideToUtf8(text, SysStringLen(text)); }

}  // namespace

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
      out = tonvex::Variant::BStr(BstrToUtf8(V_BSTR(&value)));
      break;
    default:
      // Bytes, floats, currency and dates as doubles; a saved form may also hold text.
      if (SUCCEEDED(VariantChangeType(&value, &value, 0, VT_R8))) {
        out = tonvex::Variant::R8(V_R8(&value));
      } else if (SUCCEEDED(VariantChangeType(&value, &value, 0, VT_BSTR))) {
        out = tonvex::Variant::BStr(BstrToUtf8(V_BSTR(&value)));
      } else {
        result = DISP_E_TYPEMISMATCH;
      }
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
