// Dorvane's control host under test, in a program of its own because the sound comes from
// outside. Prints what it saw; exits with 0 when everything was as expected, 1 when not.
//   host_probe keys SYMBOLS TIMEOUT_MS  the registered control, loaded with the main window's
//                                       design, hears SYMBOLS in order through the host's sink
//   host_probe unregistered             a class that is not registered fails the host
#include <windows.h>

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string>

#include "com_fixtures.h"
#include "control_host.h"
#include "design_bag.h"
#include "dispatch_call.h"
#include "dtmf_hit_sink.h"
#include "host_object.h"
#include "hosted_tone_detector.h"
#include "runtime_error.h"
#include "tonvex_contract.h"

namespace {

namespace contract = tonvex::contract;
using dorvane::win32::HostObject;

int failures = 0;

void Expect(bool ok, const char* what) {
  if (ok) return;
  ++failures;
  Say("FAIL: %s", what);
}

// COM for the thread, and the program's hidden main window.
class MainWindow {
 public:
  MainWindow() {
    OleInitialize(nullptr);
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"HostProbeMain";
    RegisterClassW(&windowClass);
    handle = CreateWindowExW(0, windowClass.lpszClassName, L"", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100,
                             nullptr, nullptr, windowClass.hInstance, nullptr);
  }
  ~MainWindow() {
    DestroyWindow(handle);
    OleUninitialize();
  }
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;

  HWND handle = nullptr;
};

int32_t Property(IDispatch* control, int32_t dispid) {
  return dorvane::win32::AsLong(dorvane::win32::Call(control, dispid, DISPATCH_PROPERTYGET));
}

// The control's own window: activated in place in the main window, which keeps it hidden.
HWND ControlWindowOf(IDispatch* control) {
  IOleWindow* window = nullptr;
  HWND handle = nullptr;
  if (SUCCEEDED(control->QueryInterface(IID_IOleWindow, reinterpret_cast<void**>(&window)))) {
    window->GetWindow(&handle);
    window->Release();
  }
  return handle;
}

void CheckDesign(dorvane::win32::HostedToneDetector& tonvex, HWND main) {
  IDispatch* control = tonvex.Control();
  Expect(!tonvex.Enabled(), "Enabled is true before the program sets it");
  Expect(Property(control, contract::dispid::kSensitivity) == 10, "Sensitivity is not 10");
  Expect(Property(control, contract::dispid::kMaxSecond) == 10, "MaxSecond is not 10");
  Expect(!tonvex.SearchDtmf(), "SearchDtmf was not refused while disabled");
  const std::string refusal = dorvane::win32::AsText(
      dorvane::win32::Call(control, contract::dispid::kErrorMsg, DISPATCH_PROPERTYGET));
  Say("refused: %s", refusal.c_str());
  Expect(refusal == u8"プロパティEnabledがFALSEです",
         "ErrorMsg is not the disabled control's text");
  const HWND window = ControlWindowOf(control);
  Expect(window && GetParent(window) == main, "the control's window is not in the main window");
  Expect(!IsWindowVisible(window), "the control's window can be seen");
}

int Keys(const std::string& expected, DWORD timeout) {
  MainWindow main;
  std::string heard;
  {
    dorvane::win32::HostedToneDetector tonvex(
        main.handle,
        [&heard](int16_t keyCode, int16_t level, int32_t sensitivity, int32_t unusedSize) {
          heard += static_cast<char>(keyCode);
          Say("DtmfHit '%c' level %d sensitivity %ld unused %ld", static_cast<char>(keyCode), level,
              static_cast<long>(sensitivity), static_cast<long>(unusedSize));
          // The sink's last guard: the control goes on reporting.
          if (heard.size() == 1) throw std::runtime_error("a handler that throws");
        });
    CheckDesign(tonvex, main.handle);
    tonvex.SetEnabled(true);
    Expect(tonvex.Enabled(), "Enabled did not become true");
    Expect(tonvex.SearchDtmf(), "SearchDtmf was refused after enabling");
    Say("ready");
    const DWORD start = GetTickCount();
    while (heard.size() < expected.size() && GetTickCount() - start < timeout) PumpMessages(10);
    // A key reported twice, or one made up from the silence after the last tone, arrives here.
    PumpMessages(500);
    Expect(tonvex.SearchDtmf(), "SearchDtmf (stop) was refused");
  }
  Say("keys: %s", heard.c_str());
  Expect(heard == expected, ("expected the keys " + expected).c_str());
  Say("host objects alive after the host: %ld", HostObject::Living());
  Expect(HostObject::Living() == 0, "the control kept a reference to the site, sink or bag");
  return failures ? 1 : 0;
}

int Unregistered() {
  MainWindow main;
  {
    dorvane::win32::HostedControl control;
    CoCreateGuid(&control.clsid);
    control.events = IID_IDispatch;
    const auto bag = dorvane::win32::DesignBag::Create();
    const auto sink =
        dorvane::win32::DtmfHitSink::Create([](int16_t, int16_t, int32_t, int32_t) {});
    control.design = bag.Get();
    control.sink = sink.Get();
    try {
      dorvane::win32::ControlHost host(main.handle, control);
      Expect(false, "a class that is not registered was hosted");
    } catch (const dorvane::RuntimeError& error) {
      Say("RuntimeError %ld: %s", static_cast<long>(error.Number), error.Description.c_str());
      Expect(error.Number == static_cast<int32_t>(REGDB_E_CLASSNOTREG),
             "the number is not REGDB_E_CLASSNOTREG");
      Expect(!error.Description.empty(), "the failure has no text");
    }
  }
  Expect(HostObject::Living() == 0, "the failed host left its site behind");
  return failures ? 1 : 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string mode = argc > 1 ? argv[1] : "";
  try {
    if (mode == "keys" && argc == 4) return Keys(argv[2], std::strtoul(argv[3], nullptr, 10));
    if (mode == "unregistered" && argc == 2) return Unregistered();
  } catch (const dorvane::RuntimeError& error) {
    Say("FAIL: RuntimeError %ld: %s", static_cast<long>(error.Number), error.Description.c_str());
    return 1;
  }
  std::fputs("usage: host_probe keys SYMBOLS TIMEOUT_MS | unregistered\n", stderr);
  return 2;
}
