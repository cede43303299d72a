#include <cmath>

#include "dorvane_frm.h"
#include "runtime_error.h"

namespace dorvane {
namespace {

constexpr int16_t kMiddleButton = 4;
constexpr int kRightButtonDown = 516;  // WM_RBUTTONDOWN

}  // namespace

void Dorvane_frm::AddTrayIcon() {
  try {
    TrayIconData_ = MakeTrayIconData(static_cast<uint32_t>(desktop_.MainWindow()),
                                     desktop_.MainWindowIcon(), kAppTitle);
    shell_.ShellNotifyIcon(kNimAdd, TrayIconData_);
    trayIconAdded_ = true;
    desktop_.HideMainWindow();
  } catch (const RuntimeError& failure) {
    ShowError(failure.Description, failure.Number, true);
  }
}

void Dorvane_frm::RemoveTrayIcon() {
  if (!trayIconAdded_) return;
  trayIconAdded_ = false;
  shell_.ShellNotifyIcon(kNimDelete, TrayIconData_);
}

void Dorvane_frm::Form_MouseDown(int16_t Button, int16_t Shift, float X, float Y) {
  try {
    if ((Button & kMiddleButton) == 0) return;
    // The shell's notification arrives as a middle-button press; X carries the mouse message.
    const long code = std::lrint(X) / std::lrint(static_cast<float>(desktop_.TwipsPerPixelX()));
    if (code != kRightButtonDown) return;
    // The menu's commands could close the port or suspend the bridge under a handler waiting
    // in "let pending events run": the latest click waits until that handler has returned.
    if (waitingHandlers_ > 0) {
      heldTrayClick_ = TrayNotification{Button, Shift, X, Y};
      return;
    }
    shell_.SetForegroundWindow(desktop_.MainWindow());
    if (const MenuItem* chosen = desktop_.PopupMenu(mnuMain_)) RunMenuCommand(*chosen);
  } catch (const RuntimeError& failure) {
    ShowError(failure.Description, failure.Number, true);
  }
}

void Dorvane_frm::LetPendingEventsRun() {
  struct Waiting {
    int& count;
    explicit Waiting(int& handlers) : count(++handlers) {}
    ~Waiting() { --count; }
  } waiting(waitingHandlers_);
  desktop_.DoEvents();
}

void Dorvane_frm::OpenMenuHeldDuringWait() {
  if (waitingHandlers_ > 0 || !heldTrayClick_) return;
  const TrayNotification click = *heldTrayClick_;
  heldTrayClick_.reset();
  Form_MouseDown(click.Button, click.Shift, click.X, click.Y);
}

void Dorvane_frm::RunMenuCommand(const MenuItem& item) {
  if (item.Name == "mnuPhoneLst") mnuPhoneLst_Click();
  if (item.Name == "mnuPre") mnuPre_Click();
  if (item.Name == "mnuVersion") mnuVersion_Click();
  if (item.Name == "mnuExit") mnuExit_Click();
}

void Dorvane_frm::mnuPhoneLst_Click() {
  try {
    desktop_.MsgBox("ここで設定した内容は、次回より有効です", kMsgInformation, "注意!!");
    shell_.Shell("notepad.exe " + ProgramFile("PhoneLst.txt"), kMinimizedFocus);
    if (const WindowHandle editor = shell_.FindWindow("Notepad")) {
      shell_.ShowWindow(editor, kSwShowNormal);
    }
  } catch (const RuntimeError& failure) {
    ShowError(failure.Description, failure.Number, false);
  }
}

void Dorvane_frm::mnuPre_Click() {
  try {
    preference_.Show();
  } catch (const RuntimeError& failure) {
    ShowError(failure.Description, failure.Number, false);
  }
}

void Dorvane_frm::mnuVersion_Click() {
  try {
    about_.Show();
  } catch (const RuntimeError& failure) {
    ShowError(failure.Description, failure.Number, false);
  }
}

void Dorvane_frm::mnuExit_Click() {
  try {
    RemoveTrayIcon();
  } catch (const RuntimeError&) {
  }
  UnloadMainWindow();
}

void Dorvane_frm::Form_Unload() {
  try {
    if (Tonvex.Enabled()) Tonvex.SetEnabled(false);
  } catch (const RuntimeError&) {
  }
  HangUpBeforeEnd();
  try {
    if (MSComm1.PortOpen()) MSComm1.SetPortOpen(false);
  } catch (const RuntimeError&) {
  }
}

}  // namespace dorvane
