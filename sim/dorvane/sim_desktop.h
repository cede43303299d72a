// The desktop the program runs on: message boxes answered at once, the tray, popup menus, the
// dialogs' windows, which window is in front, keystrokes and programs started.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "desktop.h"
#include "event_loop.h"
#include "program_gate.h"
#include "sim_files.h"
#include "sim_messenger.h"
#include "transcript.h"

namespace sim {

class SimDesktop : public dorvane::Desktop, public dorvane::WindowShell {
 public:
  static constexpr dorvane::WindowHandle kMainWindow = 0x10010;
  static constexpr uint32_t kProgramIcon = 0x30001;
  static constexpr dorvane::WindowHandle kNotepadWindow = 0x40010;
  static constexpr dorvane::WindowHandle kOtherProgramWindow = 0x50010;
  static constexpr Micros kNap = 10 * kMicrosPerMilli;

  // Picks an item of an open popup menu for the user, or returns null to dismiss it.
  using MenuChooser = std::function<const dorvane::MenuItem*(const dorvane::MenuItem& menu)>;

  // Everything is borrowed and must outlive the desktop.
  SimDesktop(EventLoop& loop, Transcript& transcript, ProgramGate& gate, SimFiles& files,
             SimMessenger& messenger)
      : loop_(loop), transcript_(transcript), gate_(gate), files_(files), messenger_(messenger) {}

  void SetMenuChooser(MenuChooser chooser) { chooseFromMenu_ = std::move(chooser); }
  void SetPrevInstance(bool running) { prevInstance_ = running; }
  // Runs `arrival` the next time a handler waits (a nap) or lets pending events run, before
  // either: what it posts is queued as events raised during a wait are.
  void AtNextWait(std::function<void()> arrival) { atNextWait_ = std::move(arrival); }
  bool HasTrayIcon() const { return trayIcon_; }

  // Desktop.
  bool PrevInstance() override { return prevInstance_; }
  std::string ProgramFolder() override { return SimFiles::kProgramFolder; }
  dorvane::WindowHandle MainWindow() override { return kMainWindow; }
  uint32_t MainWindowIcon() override { return kProgramIcon; }
  void HideMainWindow() override {}
  int TwipsPerPixelX() override { return 15; }
  void MsgBox(const std::string& text, int style, const std::string& title) override;
  const dorvane::MenuItem* PopupMenu(const dorvane::MenuItem& menu) override;
  dorvane::PictureRef LoadPicture(const std::string& path) override;
  std::unique_ptr<dorvane::PreferenceWindow> CreatePreferenceWindow() override;
  std::unique_ptr<dorvane::AboutWindow> CreateAboutWindow() override;
  void DoEvents() override;
  int64_t MonotonicMs() override { return loop_.Now() / kMicrosPerMilli; }
  void Nap() override;
  // Nothing runs while a simulated message box is up: it closes at once.
  void HoldEvents() override {}
  void EndProgram() override { transcript_.Add("desktop", "end"); }

  // WindowShell.
  bool ShellNotifyIcon(uint32_t message, const dorvane::TrayIconData& data) override;
  bool SetForegroundWindow(dorvane::WindowHandle window) override;
  void ShowWindow(dorvane::WindowHandle window, int command) override;
  void SetActiveWindow(dorvane::WindowHandle) override {}
  void SetFocus(dorvane::WindowHandle) override {}
  bool SendKeys(dorvane::WindowHandle window, const std::string& keys) override;
  void Shell(const std::string& commandLine, int windowStyle) override;
  dorvane::WindowHandle FindWindow(const std::string& className) override;

 private:
  EventLoop& loop_;
  Transcript& transcript_;
  ProgramGate& gate_;
  SimFiles& files_;
  SimMessenger& messenger_;
  MenuChooser chooseFromMenu_;
  std::function<void()> atNextWait_;
  bool prevInstance_ = false;
  bool trayIcon_ = false;
  bool notepadRunning_ = false;
  dorvane::WindowHandle foreground_ = 0;
  dorvane::WindowHandle lastRefused_ = 0;  // a refusal is told once, not at every retry

  void ArriveIfWaitedFor();
};

// The item with this caption among the menu's visible items and submenu entries, or null.
const dorvane::MenuItem* FindVisibleItem(const dorvane::MenuItem& menu, const std::string& caption);
// The popup as the transcript shows it: visible captions, a submenu between > and <.
std::string DescribeMenu(const dorvane::MenuItem& menu);

}  // namespace sim
