#include "main_window.h"

#include "commands.h"
#include "messenger_object.h"
#include "remote.h"
#include "text_pane.h"

namespace msgrsim {
namespace {

constexpr UINT kWindowOpened = WM_APP + 1;

LRESULT Command(HWND window, HWND caller, const COPYDATASTRUCT& data) {
  MessengerState* state = StateOf(window);
  std::wstring folder;
  std::vector<std::wstring> args;
  if (!state || !ReadRequest(data, folder, args)) return FALSE;
  SendAnswer(caller, window, RunCommand(*state, args, folder));
  return TRUE;
}

LRESULT CALLBACK MainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (TextPaneMessage(window, message, lParam, ES_MULTILINE | ES_READONLY, result)) return result;
  switch (message) {
    case WM_COPYDATA:
      return Command(window, reinterpret_cast<HWND>(wParam),
                     *reinterpret_cast<const COPYDATASTRUCT*>(lParam));
    case kWindowOpened:
      if (MessengerState* state = StateOf(window)) {
        FireWindowCreated(*state, static_cast<int>(wParam));
      }
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

HWND CreateMainWindow(MessengerState& state) {
  WNDCLASSW windowClass = {};
  windowClass.lpfnWndProc = MainProc;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  windowClass.lpszClassName = kMainWindowClass;
  RegisterClassW(&windowClass);
  const HWND window =
      CreateWindowExW(0, kMainWindowClass, L"msgrsim - Messenger stand-in", WS_OVERLAPPEDWINDOW, 20,
                      20, 320, 360, nullptr, nullptr, GetModuleHandleW(nullptr), &state);
  ShowState(window, state);
  ShowWindow(window, SW_SHOWNOACTIVATE);
  return window;
}

void ShowState(HWND main, const MessengerState& state) {
  const LONG status = state.Status();
  std::wstring text = L"Status: " + std::to_wstring(status) +
                      (status == kStatusOffline ? L" (signed out)" : L"") + L"\r\n\r\nContacts:";
  for (const Contact& contact : state.Contacts()) {
    text += L"\r\n" + contact.friendlyName + L" <" + contact.signinName + L">";
  }
  SetDlgItemTextW(main, kTextPaneId, text.c_str());
}

void PostWindowOpened(HWND main, int number) {
  PostMessageW(main, kWindowOpened, static_cast<WPARAM>(number), 0);
}

}  // namespace msgrsim
