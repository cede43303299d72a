// Dorvane's window runtime on Windows: timers and the handler gate, the tray notification as
// the form sees it, events held back while a fatal report ends the program, keys only for the
// window in front, and the files.
#include "windows_prelude.h"
// Before the ports, so that their member names stay theirs.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "file_failure.h"
#include "program.h"
#include "runtime_error.h"
#include "text.h"
#include "win32_desktop.h"
#include "win32_files.h"
#include "win32_timer.h"

namespace {

using dorvane::win32::Program;

void PumpFor(Program& program, DWORD milliseconds) {
  const ULONGLONG until = GetTickCount64() + milliseconds;
  while (GetTickCount64() < until && !program.Ended()) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    program.Deliver([&] { program.DoEvents(); });
  }
}

bool PumpUntil(Program& program, const std::function<bool()>& done) {
  for (int i = 0; i < 500 && !done(); ++i) PumpFor(program, 10);
  return done();
}

TEST(Runtime, TimersTrayAndTheEndOfTheProgramPassTheGate) {
  Program program(GetModuleHandleW(nullptr));
  dorvane::win32::Win32Timer timer("Timer1", program, 1);
  int ticks = 0, depth = 0, deepest = 0;
  timer.SetHandler([&] {
    ++ticks;
    deepest = std::max(deepest, ++depth);
    // A tick that comes while the handler lets events run is dropped, not nested.
    program.DoEvents();
    Sleep(60);
    program.DoEvents();
    --depth;
  });
  timer.SetInterval(20);
  EXPECT_TRUE(PumpUntil(program, [&] { return ticks >= 2; }));
  EXPECT_EQ(deepest, 1);
  timer.SetEnabled(false);
  const int stopped = ticks;
  PumpFor(program, 100);
  EXPECT_EQ(ticks, stopped);
  EXPECT_EQ(timer.Interval(), 20);

  // The shell's right-button notification reaches the form as a middle button with the
  // message code in X, in twips.
  std::vector<float> xs;
  program.SetMouseDown([&](int16_t button, int16_t, float x, float) {
    if (button == 4) xs.push_back(x);
  });
  SendMessageW(program.MainWindow(), 519, 1, WM_RBUTTONDOWN);
  ASSERT_EQ(xs.size(), 1u);
  EXPECT_EQ(static_cast<long>(xs[0]) / program.TwipsPerPixelX(), WM_RBUTTONDOWN);

  // Once a fatal report holds events back, timers and notifications run no handler; the end
  // thrown inside a nested handler unwinds the one that let events run.
  timer.SetEnabled(true);
  program.HoldEvents();
  const int held = ticks;
  PumpFor(program, 100);
  SendMessageW(program.MainWindow(), 519, 1, WM_RBUTTONDOWN);
  EXPECT_EQ(ticks, held);
  EXPECT_EQ(xs.size(), 1u);

  bool unwound = true;
  program.Posted().Post([&] { program.Deliver([] { throw dorvane::ProgramEnded{}; }); });
  program.Deliver([&] {
    program.DoEvents();
    unwound = false;
  });
  EXPECT_TRUE(unwound);
  EXPECT_TRUE(program.Ended());
  EXPECT_EQ(program.Run(), 0);  // returns at once
}

// A top-level window that counts the keys it is sent.
struct KeyWindow {
  HWND hwnd = nullptr;
  std::vector<WPARAM> keys;

  static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<KeyWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (self && (message == WM_KEYDOWN || message == WM_SYSKEYDOWN)) self->keys.push_back(wParam);
    if (message == WM_SYSKEYDOWN || message == WM_SYSKEYUP || message == WM_SYSCHAR) return 0;
    return DefWindowProcW(hwnd, message, wParam, lParam);
  }

  explicit KeyWindow(const wchar_t* title) {
    WNDCLASSW kind = {};
    kind.lpfnWndProc = Procedure;
    kind.hInstance = GetModuleHandleW(nullptr);
    kind.lpszClassName = L"DorvaneKeyWindow";
    RegisterClassW(&kind);  // fails harmlessly for the second window
    hwnd = CreateWindowExW(0, L"DorvaneKeyWindow", title, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100,
                           100, 200, 120, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  }
  ~KeyWindow() { DestroyWindow(hwnd); }
  bool HasAltT() const { return std::find(keys.begin(), keys.end(), WPARAM('T')) != keys.end(); }
};

TEST(Runtime, KeysReachTheInvitationOnlyWhileItIsInFront) {
  Program program(GetModuleHandleW(nullptr));
  dorvane::win32::Win32Desktop desktop(program, {}, nullptr);
  KeyWindow invitation(L"Invitation"), other(L"Another program");
  const auto handle = [](const KeyWindow& window) {
    return reinterpret_cast<dorvane::WindowHandle>(window.hwnd);
  };

  // The invitation came to the front, then another window did during the wait: nothing is sent.
  ASSERT_TRUE(desktop.SetForegroundWindow(handle(invitation)));
  ASSERT_TRUE(PumpUntil(program, [&] {
    SetForegroundWindow(other.hwnd);
    return GetForegroundWindow() == other.hwnd;
  }));
  EXPECT_FALSE(desktop.SendKeys(handle(invitation), "%T"));
  PumpFor(program, 200);
  EXPECT_TRUE(other.keys.empty());
  EXPECT_TRUE(invitation.keys.empty());

  // In front, it gets Alt+T and no other window does.
  ASSERT_TRUE(PumpUntil(program, [&] {
    desktop.SetForegroundWindow(handle(invitation));
    return GetForegroundWindow() == invitation.hwnd;
  }));
  EXPECT_TRUE(desktop.SendKeys(handle(invitation), "%T"));
  EXPECT_TRUE(PumpUntil(program, [&] { return invitation.HasAltT(); }));
  EXPECT_TRUE(other.keys.empty());
}

TEST(Runtime, FilesAreReplacedWholeAndFailWithTheRuntimeNumbers) {
  wchar_t folder[MAX_PATH];
  GetTempPathW(MAX_PATH, folder);
  const std::string base = WideToUtf8(folder, wcslen(folder));
  dorvane::win32::Win32Files files;
  const std::string list = base + "dorvane-runtime-list.txt";
  files.ReplaceFile(list, "old");
  files.ReplaceFile(list, files.ToAnsi("1,a@example.com,Ünal\r\n"));
  EXPECT_EQ(files.FromAnsi(files.ReadAll(list)), "1,a@example.com,Ünal\r\n");
  EXPECT_EQ(files.Dir(list), "dorvane-runtime-list.txt");
  files.CheckWritable(base + "dorvane-not-there.txt");
  EXPECT_EQ(files.Dir(base + "dorvane-not-there.txt"), "");
  files.ReplaceFile(list + ".bak", "older");
  try {
    files.Copy(list, list + ".bak");
    FAIL() << "copied over a backup";
  } catch (const dorvane::RuntimeError& error) {
    EXPECT_EQ(error.Number, 58);
  }
  EXPECT_EQ(files.ReadAll(list + ".bak"), "older");
  files.Kill(list + ".bak");
  files.Copy(list, list + ".bak");
  EXPECT_EQ(files.ReadAll(list + ".bak"), files.ReadAll(list));
  const std::vector<std::string> names = files.Names(base.substr(0, base.size() - 1));
  EXPECT_EQ(std::count(names.begin(), names.end(), "dorvane-runtime-list.txt.bak"), 1);
  EXPECT_EQ(std::count(names.begin(), names.end(), "dorvane-runtime-list.txt.bak.new"), 0);
  files.Kill(list + ".bak");
  files.Kill(list);
  try {
    files.ReadAll(list);
    FAIL() << "read a deleted file";
  } catch (const dorvane::RuntimeError& error) {
    EXPECT_EQ(error.Number, 53);
  }
  try {
    files.ReplaceFile(base + "no-such-folder\\list.txt", "x");
    FAIL() << "wrote into a missing folder";
  } catch (const dorvane::RuntimeError& error) {
    EXPECT_EQ(error.Number, 53);
  }
}

int FailureNumber(const std::function<void()>& call) {
  try {
    call();
  } catch (const dorvane::RuntimeError& error) {
    return error.Number;
  }
  return 0;
}

TEST(Runtime, AFolderWhereAFileBelongsIsAPathErrorAndAHeldFileIsRefused) {
  wchar_t folder[MAX_PATH];
  GetTempPathW(MAX_PATH, folder);
  const std::string base = WideToUtf8(folder, wcslen(folder));
  dorvane::win32::Win32Files files;

  const std::string blocked = base + "dorvane-blocked.ini";
  CreateDirectoryW(Utf8ToWide(blocked).c_str(), nullptr);
  EXPECT_EQ(FailureNumber([&] { files.ReadAll(blocked); }), 75);
  EXPECT_EQ(FailureNumber([&] { files.CheckWritable(blocked); }), 75);
  EXPECT_EQ(FailureNumber([&] { files.ReplaceFile(blocked, "2\r\n"); }), 75);
  EXPECT_EQ(files.Dir(blocked + ".new"), "");  // the temporary went again
  EXPECT_TRUE(RemoveDirectoryW(Utf8ToWide(blocked).c_str()));

  // A file another program holds stays 70. A read-only file refuses access as the folder does
  // (ERROR_ACCESS_DENIED); Wine run as root cannot refuse it, so that number is checked alone.
  const std::string held = base + "dorvane-held.txt";
  files.ReplaceFile(held, "old");
  HANDLE holder = CreateFileW(Utf8ToWide(held).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(holder, INVALID_HANDLE_VALUE);
  EXPECT_EQ(FailureNumber([&] { files.CheckWritable(held); }), 70);
  EXPECT_EQ(FailureNumber([&] { files.ReadAll(held); }), 70);
  CloseHandle(holder);
  EXPECT_EQ(files.ReadAll(held), "old");
  files.Kill(held);
  EXPECT_EQ(dorvane::win32::FileFailure(ERROR_ACCESS_DENIED).Number, 75);

  // A handle that may not read fails its first read: that is an error, not an empty file.
  const std::string written = base + "dorvane-write-only.txt";
  files.ReplaceFile(written, "bytes");
  HANDLE writeOnly = CreateFileW(Utf8ToWide(written).c_str(), GENERIC_WRITE, 0, nullptr,
                                 OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(writeOnly, INVALID_HANDLE_VALUE);
  EXPECT_EQ(FailureNumber([&] { dorvane::win32::ReadWhole(writeOnly); }), 75);
  CloseHandle(writeOnly);
  files.Kill(written);
}

}  // namespace
