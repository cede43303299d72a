#include "control_window.h"

// control_window.h brings windows.h, which mmsystem.h needs.
#include <mmsystem.h>

#include "module.h"

namespace {
const wchar_t kClassName[] = L"TonvexControlWindow";
}  // namespace

ATOM RegisterControlWindowClass() {
  // A class registered by a library outlives it, so the library removes it when it is unloaded
  // and registers it again when it is loaded again.
  WNDCLASSEXW existing = {};
  existing.cbSize = sizeof existing;
  if (GetClassInfoExW(ModuleInstance(), kClassName, &existing)) return 1;
  {
    WNDCLASSEXW windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = &ControlWindow::Procedure;
    windowClass.hInstance = ModuleInstance();
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.lpszClassName = kClassName;
    return RegisterClassExW(&windowClass);
  }
}

void UnregisterControlWindowClass() { UnregisterClassW(kClassName, ModuleInstance()); }

HWND ControlWindow::Recreate(HWND parent) {
  Destroy();
  RegisterControlWindowClass();
  const DWORD style = parent ? WS_CHILD | WS_CLIPSIBLINGS : WS_POPUP;
  hwnd_ = CreateWindowExW(0, kClassName, L"", style, 0, 0, 0, 0, parent, nullptr, ModuleInstance(),
                          this);
  return hwnd_;
}

void ControlWindow::Destroy() {
  if (hwnd_) DestroyWindow(hwnd_);  // WM_DESTROY clears hwnd_
}

LRESULT CALLBACK ControlWindow::Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* window = reinterpret_cast<ControlWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (!window) return DefWindowProcW(hwnd, message, wParam, lParam);
  switch (message) {
    case WM_TIMER:
      window->handler_.OnTimer(wParam);
      return 0;
    case MM_WIM_DATA:
      window->handler_.OnWaveInData(reinterpret_cast<WAVEHDR*>(lParam)->dwBytesRecorded);
      return 0;
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(hwnd, &paint);
      RECT bounds;
      GetClientRect(hwnd, &bounds);
      window->handler_.OnPaint(dc, bounds);
      EndPaint(hwnd, &paint);
      return 0;
    }
    case WM_DESTROY: {
      const LRESULT result = DefWindowProcW(hwnd, message, wParam, lParam);
      SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
      window->hwnd_ = nullptr;
      window->handler_.OnWindowDestroyed();
      return result;
    }
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}
