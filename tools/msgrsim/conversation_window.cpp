#include "conversation_window.h"

#include "text_pane.h"

namespace msgrsim {
namespace {

constexpr wchar_t kClassName[] = L"MsgrsimConversation";
constexpr WORD kAcceptCommand = 1;

LRESULT CALLBACK ConversationProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (TextPaneMessage(window, message, lParam, ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL, result))
    return result;
  switch (message) {
    case WM_COMMAND:
      if (LOWORD(wParam) == kAcceptCommand && HIWORD(wParam) == 1) {
        MessengerState* state = StateOf(window);
        if (state && state->owner) {
          state->owner->AcceptKeys(window);
        } else if (Conversation* conversation = state ? state->FindByWindow(window) : nullptr) {
          state->AcceptKeys(*conversation);
        }
        return 0;
      }
      break;
    case WM_CLOSE: {
      MessengerState* state = StateOf(window);
      Conversation* conversation = state ? state->FindByWindow(window) : nullptr;
      if (conversation && state->owner) {
        state->owner->CloseAsked(window);
        return 0;
      }
      if (conversation) {
        state->Close(*conversation, "the user");
        return 0;
      }
      break;
    }
    default:
      break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

void RegisterClassOnce() {
  static const bool registered = [] {
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = ConversationProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = kClassName;
    return RegisterClassW(&windowClass) != 0;
  }();
  (void)registered;
}

bool IsConversationWindow(HWND window) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  return lstrcmpW(name, kClassName) == 0;
}

}  // namespace

HWND CreateConversationWindow(MessengerState& state, const Conversation& conversation) {
  RegisterClassOnce();
  const std::wstring title = conversation.contact.friendlyName + L" - Conversation";
  const int offset = 24 * (conversation.number % 10);
  const HWND window =
      CreateWindowExW(0, kClassName, title.c_str(), WS_OVERLAPPEDWINDOW, 120 + offset, 120 + offset,
                      460, 260, nullptr, nullptr, GetModuleHandleW(nullptr), &state);
  SetDlgItemTextW(window, kTextPaneId, conversation.text.c_str());
  ShowWindow(window, SW_SHOWNOACTIVATE);
  return window;
}

void ShowConversationText(const Conversation& conversation) {
  if (!conversation.closed)
    SetDlgItemTextW(conversation.window, kTextPaneId, conversation.text.c_str());
}

bool TranslateConversationKeys(MSG& message) {
  static const HACCEL keys = [] {
    ACCEL altT = {FALT | FVIRTKEY, 'T', kAcceptCommand};
    return CreateAcceleratorTableW(&altT, 1);
  }();
  if (!message.hwnd) return false;
  const HWND root = GetAncestor(message.hwnd, GA_ROOT);
  return root && IsConversationWindow(root) && TranslateAcceleratorW(root, keys, &message);
}

}  // namespace msgrsim
