#include "win32_desktop.h"

#include <shellapi.h>

#include <cstring>
#include <vector>

#include "modeless_dialog.h"
#include "runtime_error.h"
#include "text.h"
#include "trace.h"

namespace dorvane::win32 {
namespace {

HWND HandleOf(WindowHandle window) { return reinterpret_cast<HWND>(window); }

// The record's handles are 32 bits wide; window and icon handles are, on every Windows, and
// widen by sign.
HANDLE WidenHandle(uint32_t handle) {
  return reinterpret_cast<HANDLE>(static_cast<LONG_PTR>(static_cast<int32_t>(handle)));
}

void AddItems(HMENU menu, const MenuItem& parent, std::vector<const MenuItem*>& commands) {
  for (const MenuItem& item : parent.Items) {
    if (!item.Visible) continue;
    const std::wstring caption = Utf8ToWide(item.Caption);
    if (!item.Items.empty()) {
      HMENU submenu = CreatePopupMenu();
      AddItems(submenu, item, commands);
      AppendMenuW(menu, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(submenu), caption.c_str());
    } else {
      commands.push_back(&item);
      AppendMenuW(menu, MF_STRING, commands.size(), caption.c_str());
    }
  }
}

void PushKey(std::vector<INPUT>& inputs, WORD key, bool up) {
  INPUT input = {};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = key;
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  inputs.push_back(input);
}

}  // namespace

Win32Desktop::Win32Desktop(Program& program, ViewFactories views, HANDLE dataArrived)
    : program_(program), views_(std::move(views)), dataArrived_(dataArrived) {}

Win32Desktop::~Win32Desktop() {
  if (instanceMutex_) CloseHandle(instanceMutex_);
}

bool Win32Desktop::PrevInstance() {
  // Local: one instance per user session.
  if (!instanceMutex_) instanceMutex_ = CreateMutexW(nullptr, FALSE, L"Local\\Dorvane.Instance");
  return instanceMutex_ && GetLastError() == ERROR_ALREADY_EXISTS;
}

std::string Win32Desktop::ProgramFolder() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, &path[0], static_cast<DWORD>(path.size()));
    if (length < path.size()) {
      path.resize(length);
      break;
    }
    path.resize(path.size() * 2);
  }
  path.resize(path.find_last_of(L"\\/"));
  return WideToUtf8(path.data(), path.size());
}

WindowHandle Win32Desktop::MainWindow() {
  return reinterpret_cast<WindowHandle>(program_.MainWindow());
}

uint32_t Win32Desktop::MainWindowIcon() {
  return static_cast<uint32_t>(reinterpret_cast<UINT_PTR>(program_.Icon()));
}

void Win32Desktop::HideMainWindow() { ::ShowWindow(program_.MainWindow(), SW_HIDE); }

void Win32Desktop::MsgBox(const std::string& text, int style, const std::string& title) {
  // Owned by the open dialog, so that it cannot be used again under the box.
  MessageBoxW(ModelessDialogs::Front(), Utf8ToWide(text).c_str(), Utf8ToWide(title).c_str(),
              static_cast<UINT>(style) | MB_SETFOREGROUND);
}

const MenuItem* Win32Desktop::PopupMenu(const MenuItem& menu) {
  std::vector<const MenuItem*> commands;
  HMENU popup = CreatePopupMenu();
  AddItems(popup, menu, commands);
  POINT cursor = {};
  GetCursorPos(&cursor);
  const UINT chosen = static_cast<UINT>(
      TrackPopupMenu(popup, TPM_LEFTALIGN | TPM_LEFTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY, cursor.x,
                     cursor.y, 0, program_.MainWindow(), nullptr));
  DestroyMenu(popup);
  // Lets the menu close properly when the user clicks elsewhere next time.
  PostMessageW(program_.MainWindow(), WM_NULL, 0, 0);
  if (chosen == 0 || chosen > commands.size()) return nullptr;
  return commands[chosen - 1];
}

std::unique_ptr<PreferenceWindow> Win32Desktop::CreatePreferenceWindow() {
  return views_.preference();
}

std::unique_ptr<AboutWindow> Win32Desktop::CreateAboutWindow() { return views_.about(); }

int64_t Win32Desktop::MonotonicMs() { return static_cast<int64_t>(GetTickCount64()); }

void Win32Desktop::Nap() {
  if (dataArrived_) {
    WaitForSingleObject(dataArrived_, 10);
  } else {
    Sleep(1);
  }
}

bool Win32Desktop::ShellNotifyIcon(uint32_t message, const TrayIconData& data) {
  // The same record in the system's own layout, which is 88 bytes only on 32-bit Windows.
  NOTIFYICONDATAA record = {};
  record.cbSize = NOTIFYICONDATAA_V1_SIZE;
  record.hWnd = static_cast<HWND>(WidenHandle(data.hWnd));
  record.uID = data.uID;
  record.uFlags = data.uFlags;
  record.uCallbackMessage = data.uCallbackMessage;
  record.hIcon = static_cast<HICON>(WidenHandle(data.hIcon));
  std::memcpy(record.szTip, data.szTip.data(), sizeof record.szTip);
  return Shell_NotifyIconA(message, &record) != FALSE;
}

bool Win32Desktop::SetForegroundWindow(WindowHandle window) {
  const HWND target = HandleOf(window);
  if (::SetForegroundWindow(target)) return true;
  // A tray program is a background process, which the system refuses the switch. Joined for
  // this one call to the input of the thread in front, the call counts as that thread's.
  const HWND front = GetForegroundWindow();
  const DWORD frontThread = front ? GetWindowThreadProcessId(front, nullptr) : 0;
  const DWORD self = GetCurrentThreadId();
  const bool joined =
      frontThread != 0 && frontThread != self && AttachThreadInput(self, frontThread, TRUE);
  const bool switched = ::SetForegroundWindow(target) != FALSE;
  if (joined) AttachThreadInput(self, frontThread, FALSE);
  if (!switched) Trace("foreground: %p refused, %p in front", target, front);
  return switched;
}

void Win32Desktop::ShowWindow(WindowHandle window, int command) {
  ::ShowWindow(HandleOf(window), command);
}

void Win32Desktop::SetActiveWindow(WindowHandle window) { ::SetActiveWindow(HandleOf(window)); }

void Win32Desktop::SetFocus(WindowHandle window) { ::SetFocus(HandleOf(window)); }

bool Win32Desktop::SendKeys(WindowHandle window, const std::string& keys) {
  // The system may report a switch to another program's window before that window is in
  // front, and any program may take the front afterwards: keys go only to the window itself.
  const HWND target = GetAncestor(HandleOf(window), GA_ROOT);
  const HWND front = GetForegroundWindow();
  if (front != target) {
    if (front != heldBackBy_)
      Trace("keys \"%s\" held back: %p in front, not %p", keys.c_str(), front, target);
    heldBackBy_ = front;
    return false;
  }
  heldBackBy_ = nullptr;
  // The notation's modifiers (% Alt, ^ Ctrl, + Shift) hold for the character that follows; a
  // letter is its key alone, so "%T" is Alt+T without Shift.
  std::vector<INPUT> inputs;
  std::vector<WORD> held;
  for (const char symbol : keys) {
    const WORD modifier = symbol == '%'   ? VK_MENU
                          : symbol == '^' ? VK_CONTROL
                          : symbol == '+' ? VK_SHIFT
                                          : 0;
    if (modifier) {
      PushKey(inputs, modifier, false);
      held.push_back(modifier);
      continue;
    }
    WORD key = static_cast<WORD>(static_cast<unsigned char>(symbol));
    if (symbol >= 'a' && symbol <= 'z') key = static_cast<WORD>(symbol - 'a' + 'A');
    if (!((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9') || key == ' ')) {
      key = LOBYTE(VkKeyScanA(symbol));
    }
    PushKey(inputs, key, false);
    PushKey(inputs, key, true);
    for (auto modifierKey = held.rbegin(); modifierKey != held.rend(); ++modifierKey) {
      PushKey(inputs, *modifierKey, true);
    }
    held.clear();
  }
  if (!inputs.empty()) SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
  Trace("keys \"%s\" sent to %p", keys.c_str(), target);
  return true;
}

void Win32Desktop::Shell(const std::string& commandLine, int windowStyle) {
  std::wstring line = Utf8ToWide(commandLine);
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = static_cast<WORD>(windowStyle);
  PROCESS_INFORMATION process = {};
  if (!CreateProcessW(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &process)) {
    throw failure::FileNotFound();
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
}

WindowHandle Win32Desktop::FindWindow(const std::string& className) {
  return reinterpret_cast<WindowHandle>(FindWindowA(Utf8ToAnsi(className).c_str(), nullptr));
}

}  // namespace dorvane::win32
