// Drives the desktop from outside the program under test, as a user or the shell would:
// waits for windows, reads and presses dialog controls, sends the tray icon's notification,
// clicks a popup menu's item, and asks the shell whether an icon is there.
//   desktop_driver wait TITLE [SECONDS]       a top-level window with that title appears
//   desktop_driver gone TITLE [SECONDS]       no such window is left
//   desktop_driver text TITLE CONTROL-ID      prints a dialog control's text
//   desktop_driver press TITLE CONTROL-ID     clicks a dialog button by its message
//   desktop_driver tray CLASS MOUSE-MESSAGE   the notification of icon 1 of the class's window
//   desktop_driver popup [SECONDS]            a popup menu is open
//   desktop_driver menu INDEX [SECONDS]       chooses the open popup menu's item (from 0)
//   desktop_driver window CLASS               prints the handle of the class's window
//   desktop_driver icon CLASS|HANDLE          exit 0 when icon 1 of that window is in the tray
// Titles and captions are UTF-8; a title ending in * matches the titles that start with the rest.
// Exit status 1 when what was asked did not happen.
#include <windows.h>
// After windows.h, which it builds on.
#include <shellapi.h>

#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <string>

namespace {

constexpr UINT kTrayCallback = 519;

std::wstring Wide(const char* utf8) {
  const int length = MultiByteToWideChar(CP_UTF8, 0, utf8, -1, nullptr, 0);
  std::wstring wide(static_cast<size_t>(length), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8, -1, &wide[0], length);
  wide.resize(wide.size() - 1);
  return wide;
}

std::string Utf8(const std::wstring& wide) {
  const int length =
      WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), -1, nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<size_t>(length), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), -1, &utf8[0], length, nullptr, nullptr);
  utf8.resize(utf8.size() - 1);
  return utf8;
}

template <typename Found>
bool WaitFor(double seconds, Found found) {
  const ULONGLONG until = GetTickCount64() + static_cast<ULONGLONG>(seconds * 1000);
  do {
    if (found()) return true;
    Sleep(50);
  } while (GetTickCount64() < until);
  return found();
}

struct Search {
  std::wstring title;
  HWND found = nullptr;
};

BOOL CALLBACK MatchTitle(HWND window, LPARAM parameter) {
  auto& search = *reinterpret_cast<Search*>(parameter);
  if (!IsWindowVisible(window)) return TRUE;
  wchar_t text[512] = L"";
  GetWindowTextW(window, text, 512);
  const std::wstring& title = search.title;
  const bool prefix = !title.empty() && title.back() == L'*';
  const bool matches =
      prefix ? std::wstring(text).compare(0, title.size() - 1, title, 0, title.size() - 1) == 0
             : title == text;
  if (!matches) return TRUE;
  search.found = window;
  return FALSE;
}

HWND VisibleWindow(const std::wstring& title) {
  Search search{title};
  EnumWindows(MatchTitle, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND OpenPopup() {
  HWND popup = FindWindowW(L"#32768", nullptr);
  return popup && IsWindowVisible(popup) ? popup : nullptr;
}

int Fail(const std::string& what) {
  std::fprintf(stderr, "desktop_driver: %s\n", what.c_str());
  return 1;
}

void Press(WORD key) {
  INPUT inputs[2] = {};
  inputs[0].type = inputs[1].type = INPUT_KEYBOARD;
  inputs[0].ki.wVk = inputs[1].ki.wVk = key;
  inputs[1].ki.dwFlags = KEYEVENTF_KEYUP;
  SendInput(2, inputs, sizeof(INPUT));
  Sleep(30);
}

// The menu belongs to another process, whose menus this one cannot read: its item is chosen
// with the keyboard, as a user would, the first Down selecting the first item.
int ChooseMenuItem(int index, double seconds) {
  if (!WaitFor(seconds, [] { return OpenPopup() != nullptr; })) {
    return Fail("no popup menu opened");
  }
  for (int step = 0; step <= index; ++step) Press(VK_DOWN);
  Press(VK_RETURN);
  return 0;
}

bool IconPresent(HWND owner) {
  // Changing nothing of an icon succeeds only while the shell has it.
  NOTIFYICONDATAW probe = {};
  probe.cbSize = NOTIFYICONDATAW_V1_SIZE;
  probe.hWnd = owner;
  probe.uID = 1;
  return Shell_NotifyIconW(NIM_MODIFY, &probe) != FALSE;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return Fail("usage: see the source's first lines");
  const std::string command = argv[1];
  if (command == "popup") {
    const double seconds = argc > 2 ? std::atof(argv[2]) : 10.0;
    return WaitFor(seconds, [] { return OpenPopup() != nullptr; }) ? 0 : 1;
  }
  if (argc < 3) return Fail("usage: see the source's first lines");
  const std::wstring name = Wide(argv[2]);
  const double seconds = argc > 3 ? std::atof(argv[argc - 1]) : 10.0;

  if (command == "wait" || command == "gone") {
    const bool appear = command == "wait";
    if (!WaitFor(seconds, [&] { return (VisibleWindow(name) != nullptr) == appear; })) {
      return Fail(std::string(appear ? "no window " : "still a window ") + argv[2]);
    }
    return 0;
  }
  if ((command == "text" || command == "press") && argc > 3) {
    HWND dialog = VisibleWindow(name);
    if (!dialog) return Fail(std::string("no window ") + argv[2]);
    const int id = std::atoi(argv[3]);
    if (command == "press") {
      PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                   reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
      return 0;
    }
    wchar_t text[1024] = L"";
    GetDlgItemTextW(dialog, id, text, 1024);
    std::printf("%s\n", Utf8(text).c_str());
    return 0;
  }
  if (command == "tray" && argc > 3) {
    HWND owner = FindWindowW(name.c_str(), nullptr);
    if (!owner) return Fail(std::string("no window of class ") + argv[2]);
    PostMessageW(owner, kTrayCallback, 1, std::atoi(argv[3]));
    return 0;
  }
  if (command == "menu") return ChooseMenuItem(std::atoi(argv[2]), argc > 3 ? seconds : 10.0);
  if (command == "window") {
    HWND owner = FindWindowW(name.c_str(), nullptr);
    if (!owner) return Fail(std::string("no window of class ") + argv[2]);
    std::printf("0x%llx\n", static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(owner)));
    return 0;
  }
  if (command == "icon") {
    // A handle stays good for the question after its window is gone.
    HWND owner = name.compare(0, 2, L"0x") == 0 ? reinterpret_cast<HWND>(static_cast<UINT_PTR>(
                                                      std::wcstoull(name.c_str() + 2, nullptr, 16)))
                                                : FindWindowW(name.c_str(), nullptr);
    return owner && IconPresent(owner) ? 0 : 1;
  }
  return Fail("unknown command " + command);
}
