#include "com_fixtures.h"

#include <cstdio>
#include <utility>

namespace {

bool IsOne(REFIID iid, REFIID a) { return IsEqualIID(iid, a) != 0; }

}  // namespace

std::wstring ControlLibrary::Path() {
  wchar_t path[MAX_PATH];
  const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder(path, length);
  folder.erase(folder.find_last_of(L"\\/") + 1);
  return folder + L"TONVEX.OCX";
}

ControlLibrary::ControlLibrary() { module_ = LoadLibraryW(Path().c_str()); }

ControlLibrary::~ControlLibrary() {
  if (module_) FreeLibrary(module_);
}

HRESULT ControlLibrary::CreateControl(REFIID iid, void** object) const {
  static const CLSID control = {
      0xBCF535E3, 0x0353, 0x11D0, {0x85, 0xD0, 0x44, 0x45, 0x53, 0x54, 0x00, 0x00}};
  auto get = reinterpret_cast<HRESULT(WINAPI*)(REFCLSID, REFIID, void**)>(
      reinterpret_cast<void (*)()>(GetProcAddress(module_, "DllGetClassObject")));
  if (!get) return E_FAIL;
  IClassFactory* factory = nullptr;
  HRESULT result = get(control, IID_IClassFactory, reinterpret_cast<void**>(&factory));
  if (FAILED(result)) return result;
  result = factory->CreateInstance(nullptr, iid, object);
  factory->Release();
  return result;
}

HRESULT ControlLibrary::CreatePage(REFIID iid, void** object) const {
  static const CLSID page = {
      0xC1B3B767, 0x4B81, 0x11D1, {0x92, 0x8A, 0x00, 0x00, 0x1A, 0x0B, 0xF1, 0xDC}};
  auto get = reinterpret_cast<HRESULT(WINAPI*)(REFCLSID, REFIID, void**)>(
      reinterpret_cast<void (*)()>(GetProcAddress(module_, "DllGetClassObject")));
  if (!get) return E_FAIL;
  IClassFactory* factory = nullptr;
  HRESULT result = get(page, IID_IClassFactory, reinterpret_cast<void**>(&factory));
  if (FAILED(result)) return result;
  result = factory->CreateInstance(nullptr, iid, object);
  factory->Release();
  return result;
}

HRESULT ControlLibrary::CanUnloadNow() const {
  auto canUnload = reinterpret_cast<HRESULT(WINAPI*)()>(
      reinterpret_cast<void (*)()>(GetProcAddress(module_, "DllCanUnloadNow")));
  return canUnload ? canUnload() : E_FAIL;
}

HRESULT StubSite::QueryInterface(REFIID iid, void** object) {
  if (IsOne(iid, IID_IUnknown) || IsOne(iid, IID_IOleClientSite)) {
    *object = static_cast<IOleClientSite*>(this);
  } else if (IsOne(iid, IID_IDispatch)) {
    *object = static_cast<IDispatch*>(this);
  } else {
    *object = nullptr;
    return E_NOINTERFACE;
  }
  AddRef();
  return S_OK;
}

HRESULT StubSite::GetTypeInfoCount(UINT* count) {
  *count = 0;
  return S_OK;
}

HRESULT StubSite::Invoke(DISPID dispid, REFIID, LCID, WORD, DISPPARAMS*, VARIANT* result,
                         EXCEPINFO*, UINT*) {
  if (dispid != DISPID_AMBIENT_USERMODE || !result) return DISP_E_MEMBERNOTFOUND;
  ++ambientQueries;
  V_VT(result) = VT_BOOL;
  V_BOOL(result) = userMode ? VARIANT_TRUE : VARIANT_FALSE;
  return S_OK;
}

EventSink::~EventSink() {
  for (FiredEvent& event : fired) {
    for (VARIANT& arg : event.args) VariantClear(&arg);
  }
}

HRESULT EventSink::QueryInterface(REFIID iid, void** object) {
  if (IsOne(iid, IID_IUnknown) || IsOne(iid, IID_IDispatch) || IsOne(iid, events_)) {
    *object = static_cast<IDispatch*>(this);
    AddRef();
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

HRESULT EventSink::GetTypeInfoCount(UINT* count) {
  *count = 0;
  return S_OK;
}

HRESULT EventSink::Invoke(DISPID dispid, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*,
                          EXCEPINFO*, UINT*) {
  FiredEvent event{dispid, {}};
  for (UINT i = params->cArgs; i-- > 0;) {
    VARIANT copy;
    VariantInit(&copy);
    VariantCopy(&copy, &params->rgvarg[i]);
    event.args.push_back(copy);
  }
  fired.push_back(std::move(event));
  if (onFire) onFire(dispid);
  return S_OK;
}

HRESULT PropertySink::QueryInterface(REFIID iid, void** object) {
  if (IsOne(iid, IID_IUnknown) || IsOne(iid, IID_IPropertyNotifySink)) {
    *object = static_cast<IPropertyNotifySink*>(this);
    AddRef();
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

HRESULT PropertySink::OnChanged(DISPID dispid) {
  changed.push_back(dispid);
  return S_OK;
}

HRESULT PropertySink::OnRequestEdit(DISPID dispid) {
  requested.push_back(dispid);
  return allowEdit ? S_OK : S_FALSE;
}

MapPropertyBag::~MapPropertyBag() {
  for (auto& entry : entries) VariantClear(&entry.second);
}

HRESULT MapPropertyBag::QueryInterface(REFIID iid, void** object) {
  if (IsOne(iid, IID_IUnknown) || IsOne(iid, IID_IPropertyBag)) {
    *object = static_cast<IPropertyBag*>(this);
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

HRESULT MapPropertyBag::Read(LPCOLESTR name, VARIANT* value, IErrorLog*) {
  auto found = entries.find(name);
  if (found == entries.end()) return E_INVALIDARG;
  return VariantCopy(value, &found->second);
}

HRESULT MapPropertyBag::Write(LPCOLESTR name, VARIANT* value) {
  VARIANT copy;
  VariantInit(&copy);
  VariantCopy(&copy, value);
  VariantClear(&entries[name]);
  entries[name] = copy;
  return S_OK;
}

void PumpMessages(DWORD milliseconds) {
  const DWORD end = GetTickCount() + milliseconds;
  while (static_cast<LONG>(end - GetTickCount()) > 0) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
}

bool PumpUntil(const std::function<bool()>& done, DWORD limitMilliseconds) {
  const DWORD start = GetTickCount();
  while (!done() && GetTickCount() - start < limitMilliseconds) PumpMessages(10);
  return done();
}

HRESULT Call(IDispatch* object, DISPID dispid, WORD flags, std::vector<VARIANT> args,
             VARIANT* result) {
  std::vector<VARIANT> reversed(args.rbegin(), args.rend());
  DISPID put = DISPID_PROPERTYPUT;
  DISPPARAMS params = {reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
  if (flags & DISPATCH_PROPERTYPUT) {
    params.rgdispidNamedArgs = &put;
    params.cNamedArgs = 1;
  }
  if (result) VariantInit(result);
  const HRESULT invoked = object->Invoke(dispid, IID_NULL, LOCALE_USER_DEFAULT, flags, &params,
                                         result, nullptr, nullptr);
  for (VARIANT& arg : args) VariantClear(&arg);
  return invoked;
}

VARIANT Bstr(const wchar_t* text) {
  VARIANT value;
  V_VT(&value) = VT_BSTR;
  V_BSTR(&value) = SysAllocString(text);
  return value;
}

VARIANT I4(LONG number) {
  VARIANT value;
  V_VT(&value) = VT_I4;
  V_I4(&value) = number;
  return value;
}

VARIANT I2(SHORT number) {
  VARIANT value;
  V_VT(&value) = VT_I2;
  V_I2(&value) = number;
  return value;
}

VARIANT Bool(bool flag) {
  VARIANT value;
  V_VT(&value) = VT_BOOL;
  V_BOOL(&value) = flag ? VARIANT_TRUE : VARIANT_FALSE;
  return value;
}

void SayV(const char* format, va_list args) {
  std::vprintf(format, args);
  std::putchar('\n');
  std::fflush(stdout);
}

void Say(const char* format, ...) {
  va_list args;
  va_start(args, format);
  SayV(format, args);
  va_end(args);
}
