#include "window_object.h"

#include <cstdio>

namespace msgrsim {

WindowObject::WindowObject(MessengerState& state, int number)
    : AutomationObject({IID_IMessengerConversationWnd, IID_IMessengerWindow}),
      state_(state),
      number_(number) {}

void WindowObject::Log(const std::string& call) {
  state_.Log().Line("call window " + std::to_string(number_) + " " + call);
}

HRESULT WindowObject::Close() {
  Log("Close");
  state_.Close(Value(), "the client");
  return S_OK;
}

HRESULT WindowObject::get_HWND(LONG* window) {
  if (!window) return E_POINTER;
  // Window handles are 32-bit values in every process, so a long carries them.
  *window = HandleToLong(Value().window);
  char text[16];
  std::snprintf(text, sizeof text, "0x%lX", static_cast<unsigned long>(*window));
  Log(std::string("HWND -> ") + text);
  return S_OK;
}

HRESULT WindowObject::get_IsClosed(VARIANT_BOOL* closed) {
  if (!closed) return E_POINTER;
  *closed = Value().closed ? VARIANT_TRUE : VARIANT_FALSE;
  Log(std::string("IsClosed -> ") + (Value().closed ? "true" : "false"));
  return S_OK;
}

HRESULT WindowObject::get_History(BSTR* text) {
  if (!text) return E_POINTER;
  const std::wstring& history = Value().text;
  Log("History -> " + Quoted(history));
  *text = SysAllocStringLen(history.data(), static_cast<UINT>(history.size()));
  return S_OK;
}

}  // namespace msgrsim
