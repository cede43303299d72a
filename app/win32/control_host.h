// A control held by the program's hidden main window, as a form holds one: created from its
// class identity, sited with ambient UserMode true, loaded from its design-time properties,
// activated in place in the window (hidden with it) and connected to an event sink.
#pragma once

#include <ocidl.h>
#include <windows.h>

#include "client_site.h"
#include "com_ptr.h"

namespace dorvane::win32 {

struct HostedControl {
  CLSID clsid;
  IPropertyBag* design = nullptr;  // not owned; read while the host is made
  IID events;                      // the control's event interface
  IDispatch* sink = nullptr;       // not owned; the control holds it while the host lives
};

class ControlHost {
 public:
  // COM must be initialised on the calling thread, the only one that may use the host; parent
  // must outlive it. Throws RuntimeError when the control cannot be created (a class that is
  // not registered: REGDB_E_CLASSNOTREG), sited, loaded or connected.
  ControlHost(HWND parent, const HostedControl& control);
  // Stops nothing: disconnects the sink, closes the control, takes its site away and lets it go.
  ~ControlHost();
  ControlHost(const ControlHost&) = delete;
  ControlHost& operator=(const ControlHost&) = delete;

  IDispatch* Dispatch() const { return dispatch_.Get(); }

 private:
  void Close();

  ComPtr<ClientSite> site_;
  ComPtr<IOleObject> object_;
  ComPtr<IDispatch> dispatch_;
  ComPtr<IConnectionPoint> events_;
  DWORD cookie_ = 0;
};

}  // namespace dorvane::win32
