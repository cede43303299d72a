// The sink on the Tonvex control's event interface: DtmfHit reaches the program's handler with
// its four arguments; the control's other events are of no use to the program and are dropped.
#pragma once

#include <oaidl.h>

#include <cstdint>
#include <functional>

#include "com_ptr.h"
#include "host_object.h"

namespace dorvane::win32 {

// KeyCode, Level, Sensitivity, UnusedSize.
using DtmfHitHandler = std::function<void(int16_t, int16_t, int32_t, int32_t)>;

class DtmfHitSink final : public IDispatch, private HostObject {
 public:
  static ComPtr<DtmfHitSink> Create(DtmfHitHandler onDtmfHit);

  // IUnknown: answers for the event interface and plain IDispatch.
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override { return AddReference(); }
  ULONG STDMETHODCALLTYPE Release() override { return DropReference(); }

  // IDispatch
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override;
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override;
  HRESULT STDMETHODCALLTYPE Invoke(DISPID dispid, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*,
                                   EXCEPINFO*, UINT* argError) override;

 private:
  explicit DtmfHitSink(DtmfHitHandler onDtmfHit);
  ~DtmfHitSink() override = default;

  DtmfHitHandler onDtmfHit_;
};

}  // namespace dorvane::win32
