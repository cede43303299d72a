#include "text_pane.h"

namespace msgrsim {

MessengerState* StateOf(HWND window) {
  return reinterpret_cast<MessengerState*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

bool TextPaneMessage(HWND window, UINT message, LPARAM lParam, DWORD editStyle, LRESULT& result) {
  switch (message) {
    case WM_NCCREATE: {
      const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
      SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
      return false;  // the default procedure still runs
    }
    case WM_CREATE:
      CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | WS_VSCROLL | editStyle, 0, 0, 0, 0,
                      window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kTextPaneId)),
                      GetModuleHandleW(nullptr), nullptr);
      result = 0;
      return true;
    case WM_SIZE:
      MoveWindow(GetDlgItem(window, kTextPaneId), 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
      result = 0;
      return true;
  }
  return false;
}

}  // namespace msgrsim
