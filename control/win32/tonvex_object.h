// One Tonvex control instance as a COM object: the interfaces a container expects, over the
// portable control. The adapters here translate; the decisions are the portable control's.
#pragma once

#include <ocidl.h>
#include <olectl.h>
#include <windows.h>

#include "com_ptr.h"
#include "connection_point.h"
#include "control_site.h"
#include "control_window.h"
#include "reference_counted.h"
#include "resource_sound_out.h"
#include "tonvex_control.h"
#include "trace.h"
#include "winmm_wave_in.h"

class TonvexObject final : public IDispatch,
                           public IProvideClassInfo2,
                           public IConnectionPointContainer,
                           public IOleObject,
                           public IOleControl,
                           public IOleInPlaceObject,
                           public IViewObject2,
                           public IPersistStreamInit,
                           public IPersistPropertyBag,
                           public IPersistStorage,
                           public ISpecifyPropertyPages,
                           private tonvex::ControlSite,
                           private ControlWindow::Handler,
                           private ReferenceCounted {
 public:
  static HRESULT Create(REFIID iid, void** object);

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;

  // IDispatch
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID lcid, ITypeInfo** info) override;
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID lcid,
                                          DISPID* dispids) override;
  HRESULT STDMETHODCALLTYPE Invoke(DISPID dispid, REFIID iid, LCID lcid, WORD flags,
                                   DISPPARAMS* params, VARIANT* result, EXCEPINFO* exception,
                                   UINT* argError) override;

  // IProvideClassInfo2
  HRESULT STDMETHODCALLTYPE GetClassInfo(ITypeInfo** info) override;
  HRESULT STDMETHODCALLTYPE GetGUID(DWORD kind, GUID* guid) override;

  // IConnectionPointContainer
  HRESULT STDMETHODCALLTYPE EnumConnectionPoints(IEnumConnectionPoints** out) override;
  HRESULT STDMETHODCALLTYPE FindConnectionPoint(REFIID iid, IConnectionPoint** out) override;

  // IOleObject
  HRESULT STDMETHODCALLTYPE SetClientSite(IOleClientSite* site) override;
  HRESULT STDMETHODCALLTYPE GetClientSite(IOleClientSite** site) override;
  HRESULT STDMETHODCALLTYPE SetHostNames(LPCOLESTR, LPCOLESTR) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE Close(DWORD saveOption) override;
  HRESULT STDMETHODCALLTYPE SetMoniker(DWORD, IMoniker*) override {
    return NotImplemented("IOleObject::SetMoniker");
  }
  HRESULT STDMETHODCALLTYPE GetMoniker(DWORD, DWORD, IMoniker** out) override;
  HRESULT STDMETHODCALLTYPE InitFromData(IDataObject*, BOOL, DWORD) override {
    return NotImplemented("IOleObject::InitFromData");
  }
  HRESULT STDMETHODCALLTYPE GetClipboardData(DWORD, IDataObject** out) override;
  HRESULT STDMETHODCALLTYPE DoVerb(LONG verb, LPMSG, IOleClientSite*, LONG, HWND parent,
                                   LPCRECT) override;
  HRESULT STDMETHODCALLTYPE EnumVerbs(IEnumOLEVERB** out) override;
  HRESULT STDMETHODCALLTYPE Update() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE IsUpToDate() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE GetUserClassID(CLSID* clsid) override;
  HRESULT STDMETHODCALLTYPE GetUserType(DWORD form, LPOLESTR* name) override;
  HRESULT STDMETHODCALLTYPE SetExtent(DWORD aspect, SIZEL* size) override;
  HRESULT STDMETHODCALLTYPE GetExtent(DWORD aspect, SIZEL* size) override;
  HRESULT STDMETHODCALLTYPE Advise(IAdviseSink* sink, DWORD* cookie) override;
  HRESULT STDMETHODCALLTYPE Unadvise(DWORD cookie) override;
  HRESULT STDMETHODCALLTYPE EnumAdvise(IEnumSTATDATA** out) override;
  HRESULT STDMETHODCALLTYPE GetMiscStatus(DWORD aspect, DWORD* status) override;
  HRESULT STDMETHODCALLTYPE SetColorScheme(LOGPALETTE*) override {
    return NotImplemented("IOleObject::SetColorScheme");
  }

  // IOleControl
  HRESULT STDMETHODCALLTYPE GetControlInfo(CONTROLINFO* info) override;
  HRESULT STDMETHODCALLTYPE OnMnemonic(MSG*) override {
    return NotImplemented("IOleControl::OnMnemonic");
  }
  HRESULT STDMETHODCALLTYPE OnAmbientPropertyChange(DISPID dispid) override;
  HRESULT STDMETHODCALLTYPE FreezeEvents(BOOL freeze) override;

  // IOleWindow, IOleInPlaceObject
  HRESULT STDMETHODCALLTYPE GetWindow(HWND* hwnd) override;
  HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override {
    return NotImplemented("IOleWindow::ContextSensitiveHelp");
  }
  HRESULT STDMETHODCALLTYPE InPlaceDeactivate() override;
  HRESULT STDMETHODCALLTYPE UIDeactivate() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE SetObjectRects(LPCRECT position, LPCRECT clip) override;
  HRESULT STDMETHODCALLTYPE ReactivateAndUndo() override {
    return NotImplemented("IOleInPlaceObject::ReactivateAndUndo");
  }

  // IViewObject2
  HRESULT STDMETHODCALLTYPE Draw(DWORD aspect, LONG index, void* aspectInfo, DVTARGETDEVICE* device,
                                 HDC targetDc, HDC dc, LPCRECTL bounds, LPCRECTL windowBounds,
                                 BOOL(STDMETHODCALLTYPE* keepGoing)(ULONG_PTR),
                                 ULONG_PTR keepGoingArgument) override;
  HRESULT STDMETHODCALLTYPE GetColorSet(DWORD, LONG, void*, DVTARGETDEVICE*, HDC,
                                        LOGPALETTE** palette) override;
  HRESULT STDMETHODCALLTYPE Freeze(DWORD, LONG, void*, DWORD*) override {
    return NotImplemented("IViewObject::Freeze");
  }
  HRESULT STDMETHODCALLTYPE Unfreeze(DWORD) override {
    return NotImplemented("IViewObject::Unfreeze");
  }
  HRESULT STDMETHODCALLTYPE SetAdvise(DWORD aspects, DWORD flags, IAdviseSink* sink) override;
  HRESULT STDMETHODCALLTYPE GetAdvise(DWORD* aspects, DWORD* flags, IAdviseSink** sink) override;
  HRESULT STDMETHODCALLTYPE GetExtent(DWORD aspect, LONG index, DVTARGETDEVICE* device,
                                      SIZEL* size) override;

  // IPersist, IPersistStreamInit, IPersistPropertyBag, IPersistStorage
  HRESULT STDMETHODCALLTYPE GetClassID(CLSID* clsid) override;
  HRESULT STDMETHODCALLTYPE IsDirty() override { return dirty_ ? S_OK : S_FALSE; }
  HRESULT STDMETHODCALLTYPE Load(IStream* stream) override;
  HRESULT STDMETHODCALLTYPE Save(IStream* stream, BOOL clearDirty) override;
  HRESULT STDMETHODCALLTYPE GetSizeMax(ULARGE_INTEGER* size) override;
  HRESULT STDMETHODCALLTYPE InitNew() override;
  HRESULT STDMETHODCALLTYPE Load(IPropertyBag* bag, IErrorLog* log) override;
  HRESULT STDMETHODCALLTYPE Save(IPropertyBag* bag, BOOL clearDirty, BOOL saveAll) override;
  HRESULT STDMETHODCALLTYPE InitNew(IStorage* storage) override;
  HRESULT STDMETHODCALLTYPE Load(IStorage* storage) override;
  HRESULT STDMETHODCALLTYPE Save(IStorage* storage, BOOL sameAsLoad) override;
  HRESULT STDMETHODCALLTYPE SaveCompleted(IStorage*) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE HandsOffStorage() override { return S_OK; }

  // ISpecifyPropertyPages
  HRESULT STDMETHODCALLTYPE GetPages(CAUUID* pages) override;

 private:
  TonvexObject();
  ~TonvexObject() override;

  // tonvex::ControlSite
  bool AmbientUserMode() const override;
  void FireEvent(int32_t dispid, const tonvex::EventArgs& args) override;
  tonvex::WindowHandle Window() const override;
  tonvex::WindowHandle CreateControlWindow() override;
  bool SetTimer(uint32_t id, uint32_t periodMs) override;
  void KillTimer(uint32_t id) override;
  void Invalidate() override;
  void SetModifiedFlag() override { dirty_ = true; }
  bool RequestEdit(int32_t dispid) override;
  void PropertyChanged(int32_t dispid) override;
  void ShowAboutBox() override;

  // ControlWindow::Handler
  // A handler of an event fired from here may release the container's last reference; the
  // object stays alive until the message is done.
  void OnTimer(UINT_PTR id) override {
    AddRef();
    control_.OnTimer(static_cast<uint32_t>(id));
    Release();
  }
  void OnWaveInData(DWORD bytes) override { control_.OnWaveInData(bytes); }
  void OnWindowDestroyed() override { control_.OnWindowDestroyed(); }
  void OnPaint(HDC dc, const RECT& bounds) override;

  HRESULT InPlaceActivate(HWND parent);
  IUnknown* Identity() { return static_cast<IDispatch*>(this); }

  ComPtr<IOleClientSite> clientSite_;
  ComPtr<IOleAdviseHolder> oleAdviseHolder_;
  ComPtr<IAdviseSink> viewSink_;
  DWORD viewAspects_ = 0;
  DWORD viewFlags_ = 0;
  ComPtr<IOleInPlaceSite> inPlaceSite_;  // set while active in place
  LONG frozenEvents_ = 0;
  bool dirty_ = false;
  ConnectionPoint events_;
  ConnectionPoint propertyNotify_;
  ControlWindow window_;
  WinmmWaveIn waveIn_;
  ResourceSoundOut soundOut_;
  tonvex::TonvexControl control_;  // last: it stops its search while the adapters still exist
};
