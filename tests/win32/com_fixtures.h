// Stand-ins for a container's side: client site with ambient properties, event and property
// sinks, a property bag, and a loaded control library.
#pragma once

#include <ocidl.h>
#include <olectl.h>
#include <windows.h>

#include <cstdarg>
#include <functional>
#include <map>
#include <string>
#include <vector>

// The control library loaded from beside the test program, without the registry.
class ControlLibrary {
 public:
  ControlLibrary();
  ~ControlLibrary();
  HRESULT CreateControl(REFIID iid, void** object) const;
  HRESULT CreatePage(REFIID iid, void** object) const;
  HRESULT CanUnloadNow() const;
  HMODULE Module() const { return module_; }
  static std::wstring Path();

 private:
  HMODULE module_ = nullptr;
};

// A client site whose ambient UserMode the test sets; it counts what the control asks of it.
class StubSite : public IOleClientSite, public IDispatch {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references; }
  ULONG STDMETHODCALLTYPE Release() override { return --references; }
  HRESULT STDMETHODCALLTYPE SaveObject() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE GetMoniker(DWORD, DWORD, IMoniker**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetContainer(IOleContainer**) override { return E_NOINTERFACE; }
  HRESULT STDMETHODCALLTYPE ShowObject() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnShowWindow(BOOL) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE RequestNewObjectLayout() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID dispid, REFIID, LCID, WORD flags, DISPPARAMS*,
                                   VARIANT* result, EXCEPINFO*, UINT*) override;

  bool userMode = true;
  int ambientQueries = 0;
  LONG references = 0;
};

struct FiredEvent {
  DISPID dispid;
  std::vector<VARIANT> args;  // in the order of the event's parameters
};

// An event sink for the control's event interface, recording every call.
class EventSink : public IDispatch {
 public:
  explicit EventSink(REFIID events) : events_(events) {}
  ~EventSink();
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references; }
  ULONG STDMETHODCALLTYPE Release() override { return --references; }
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID dispid, REFIID, LCID, WORD flags, DISPPARAMS* params,
                                   VARIANT*, EXCEPINFO*, UINT*) override;

  std::vector<FiredEvent> fired;
  LONG references = 0;
  // Runs inside each event after it is recorded, as a container's handler would.
  std::function<void(DISPID)> onFire;

 private:
  IID events_;
};

class PropertySink : public IPropertyNotifySink {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references; }
  ULONG STDMETHODCALLTYPE Release() override { return --references; }
  HRESULT STDMETHODCALLTYPE OnChanged(DISPID dispid) override;
  HRESULT STDMETHODCALLTYPE OnRequestEdit(DISPID dispid) override;

  bool allowEdit = true;
  std::vector<DISPID> requested;
  std::vector<DISPID> changed;
  LONG references = 0;
};

class MapPropertyBag : public IPropertyBag {
 public:
  ~MapPropertyBag();
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE Read(LPCOLESTR name, VARIANT* value, IErrorLog*) override;
  HRESULT STDMETHODCALLTYPE Write(LPCOLESTR name, VARIANT* value) override;
  std::map<std::wstring, VARIANT> entries;
};

// Runs the thread's messages for the given time.
void PumpMessages(DWORD milliseconds);
// Pumps until done() holds or the time is up; a loaded machine delays timer messages, so tests
// wait for what they count rather than for a fixed time.
bool PumpUntil(const std::function<bool()>& done, DWORD limitMilliseconds = 10000);

// A line of a probe's output, flushed at once: the test scripts wait for lines while it runs.
void Say(const char* format, ...) __attribute__((format(printf, 1, 2)));
void SayV(const char* format, va_list args);

// IDispatch::Invoke with the arguments in natural order.
HRESULT Call(IDispatch* object, DISPID dispid, WORD flags, std::vector<VARIANT> args,
             VARIANT* result);
VARIANT Bstr(const wchar_t* text);
VARIANT I4(LONG value);
VARIANT I2(SHORT value);
VARIANT Bool(bool value);
