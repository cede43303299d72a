// The window runtime and the shell calls of the program on a Linux desktop.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>

#include "desktop.h"
#include "instance_lock.h"
#include "program.h"
#include "tray_icon.h"

typedef struct _GtkWindow GtkWindow;

namespace dorvane::linux_host {

// The dialogs, made by their own adapters.
struct ViewFactories {
  std::function<std::unique_ptr<PreferenceWindow>()> preference;
  std::function<std::unique_ptr<AboutWindow>()> about;
};

// What a conversation window does with keystrokes sent to it while it is in front.
using KeysHandler = std::function<void(const std::string& keys)>;

class GtkDesktop : public Desktop, public WindowShell {
 public:
  // program is not owned. waitForData (may be null) waits for the serial port's data.
  GtkDesktop(Program& program, ViewFactories views, std::function<void(int timeoutMs)> waitForData);
  ~GtkDesktop() override;

  // Windows the shell calls can reach by handle: the program's conversation windows.
  WindowHandle AddWindow(GtkWindow* window, KeysHandler keys);
  void RemoveWindow(WindowHandle handle);
  void SetTrayNotify(TrayIcon::Notify notify) { trayNotify_ = std::move(notify); }
  bool TrayIconShown() const { return tray_.Shown(); }

  bool PrevInstance() override { return lock_.HeldElsewhere(); }
  std::string ProgramFolder() override;
  char PathSeparator() override { return '/'; }
  WindowHandle MainWindow() override { return kMainWindow; }
  uint32_t MainWindowIcon() override { return 1; }
  void HideMainWindow() override {}
  int TwipsPerPixelX() override { return 15; }
  void MsgBox(const std::string& text, int style, const std::string& title) override;
  const MenuItem* PopupMenu(const MenuItem& menu) override;
  // A picture the configuration folder lacks comes from the install's data folder.
  PictureRef LoadPicture(const std::string& path) override;
  std::unique_ptr<PreferenceWindow> CreatePreferenceWindow() override;
  std::unique_ptr<AboutWindow> CreateAboutWindow() override;
  void DoEvents() override { program_.DoEvents(); }
  int64_t MonotonicMs() override;
  void Nap() override;
  void HoldEvents() override { program_.HoldEvents(); }
  void EndProgram() override { program_.End(); }

  bool ShellNotifyIcon(uint32_t message, const TrayIconData& data) override;
  bool SetForegroundWindow(WindowHandle window) override;
  void ShowWindow(WindowHandle window, int command) override;
  void SetActiveWindow(WindowHandle) override {}
  void SetFocus(WindowHandle) override {}
  // Reaches the conversation whose window is in front, and nothing else.
  bool SendKeys(WindowHandle window, const std::string& keys) override;
  void Shell(const std::string& commandLine, int windowStyle) override;
  // The desktop cannot tell which window is the editor's.
  WindowHandle FindWindow(const std::string&) override { return 0; }

 private:
  static constexpr WindowHandle kMainWindow = 1;
  struct Window {
    GtkWindow* window;
    KeysHandler keys;
  };

  Program& program_;  // not owned
  ViewFactories views_;
  std::function<void(int)> waitForData_;
  InstanceLock lock_;
  TrayIcon tray_;
  TrayIcon::Notify trayNotify_;
  std::map<WindowHandle, Window> windows_;
  WindowHandle nextHandle_ = 0x100;
  WindowHandle inFront_ = 0;
};

}  // namespace dorvane::linux_host
