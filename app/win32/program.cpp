#include "program.h"

#include <exception>
#include <string>

#include "runtime_error.h"
#include "text.h"
#include "tray_icon_data.h"

namespace dorvane::win32 {
namespace {

constexpr wchar_t kWindowClass[] = L"Dorvane_frm";
constexpr int16_t kMiddleButton = 4;
constexpr int16_t kShiftMask = 1, kCtrlMask = 2, kAltMask = 4;

}  // namespace

Program::Program(HINSTANCE instance) : instance_(instance) {
  icon_ = LoadIconW(instance, MAKEINTRESOURCEW(1));
  WNDCLASSW windowClass = {};
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = instance;
  windowClass.hIcon = icon_;
  windowClass.lpszClassName = kWindowClass;
  RegisterClassW(&windowClass);
  // A top-level window that is never shown: the tray icon and the popup menu need one.
  window_ = CreateWindowExW(WS_EX_TOOLWINDOW, kWindowClass, L"Dorvane", WS_POPUP, 0, 0, 0, 0,
                            nullptr, nullptr, instance, this);
}

Program::~Program() {
  SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
  DestroyWindow(window_);
}

void Program::Deliver(const std::function<void()>& handler) {
  if (ended_) return;
  try {
    handler();
  } catch (const ProgramEnded&) {
    End();
  } catch (const std::exception& fault) {
    // The handlers trap their own failures; reaching here is a fault of the program.
    const std::wstring text =
        L"Dorvane stopped after an internal fault:\r\n" + Utf8ToWide(fault.what());
    MessageBoxW(nullptr, text.c_str(), L"Dorvane", MB_OK | MB_ICONSTOP);
    End();
  }
}

void Program::DeliverEvent(const std::function<void()>& handler) {
  if (!held_) Deliver(handler);
}

void Program::Dispatch(MSG& message) {
  if (dialogFilter_ && dialogFilter_(message)) return;
  TranslateMessage(&message);
  DispatchMessageW(&message);
}

void Program::DoEvents() {
  MSG message;
  while (!ended_ && PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(message.wParam));
      break;
    }
    Dispatch(message);
  }
  if (ended_) throw ProgramEnded{};
}

int Program::Run() {
  MSG message;
  while (!ended_ && GetMessageW(&message, nullptr, 0, 0) > 0) Dispatch(message);
  return 0;
}

void Program::End() {
  if (ended_) return;
  ended_ = true;
  for (const auto& timer : timerTicks_) KillTimer(window_, timer.first);
  PostQuitMessage(0);
}

void Program::SetTimerTick(UINT_PTR id, std::function<void()> tick) {
  timerTicks_[id] = std::move(tick);
}

int Program::TwipsPerPixelX() const {
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
  ReleaseDC(nullptr, screen);
  return dpi > 0 ? 1440 / dpi : 15;
}

LRESULT CALLBACK Program::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* program = reinterpret_cast<Program*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (program && program->window_ == window) return program->OnMessage(message, wParam, lParam);
  return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT Program::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_TIMER: {
      const auto tick = timerTicks_.find(wParam);
      if (tick != timerTicks_.end()) {
        const std::function<void()> handler = tick->second;
        DeliverEvent(handler);
      }
      return 0;
    }
    case kTrayCallbackMessage: {
      // The shell's notification arrives as a middle-button press: the mouse message code
      // rides in X, which the form reads in twips.
      if (!mouseDown_) return 0;
      int16_t shift = 0;
      if (wParam & MK_SHIFT) shift |= kShiftMask;
      if (wParam & MK_CONTROL) shift |= kCtrlMask;
      if (GetKeyState(VK_MENU) < 0) shift |= kAltMask;
      const float twips = static_cast<float>(TwipsPerPixelX());
      const float x = static_cast<float>(static_cast<int16_t>(LOWORD(lParam))) * twips;
      const float y = static_cast<float>(static_cast<int16_t>(HIWORD(lParam))) * twips;
      const auto handler = mouseDown_;
      DeliverEvent([&] { handler(kMiddleButton, shift, x, y); });
      return 0;
    }
    case WM_ENDSESSION:
      if (wParam && sessionEnd_) Deliver(sessionEnd_);
      return 0;
    case WM_CLOSE:
      return 0;  // only the program's own exit ends it
  }
  return DefWindowProcW(window_, message, wParam, lParam);
}

}  // namespace dorvane::win32
