#include "posted_calls.h"

namespace dorvane::win32 {
namespace {

constexpr UINT kRunQueued = WM_APP + 1;
constexpr wchar_t kClassName[] = L"DorvanePostedCalls";

void RegisterClassOnce(WNDPROC procedure) {
  WNDCLASSW windowClass = {};
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.lpszClassName = kClassName;
  RegisterClassW(&windowClass);  // fails harmlessly when already registered
}

}  // namespace

PostedCalls::PostedCalls() {
  RegisterClassOnce(WindowProc);
  window_ = CreateWindowExW(0, kClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                            GetModuleHandleW(nullptr), nullptr);
  SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

PostedCalls::~PostedCalls() {
  SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
  DestroyWindow(window_);
}

void PostedCalls::Post(std::function<void()> call) {
  {
    std::lock_guard<std::mutex> guard(lock_);
    queue_.push_back(std::move(call));
  }
  PostMessageW(window_, kRunQueued, 0, 0);
}

void PostedCalls::RunQueued() {
  for (;;) {
    std::function<void()> call;
    {
      std::lock_guard<std::mutex> guard(lock_);
      if (queue_.empty()) return;
      call = std::move(queue_.front());
      queue_.pop_front();
    }
    call();
  }
}

LRESULT CALLBACK PostedCalls::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kRunQueued) {
    auto* calls = reinterpret_cast<PostedCalls*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (calls) calls->RunQueued();
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace dorvane::win32
