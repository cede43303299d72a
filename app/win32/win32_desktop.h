// The window runtime and the shell calls of the program on Windows.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "desktop.h"
#include "program.h"
#include "windows_prelude.h"

namespace dorvane::win32 {

// The dialogs and the picture loader, made by their own adapters.
struct ViewFactories {
  std::function<PictureRef(const std::string& path)> loadPicture;
  std::function<std::unique_ptr<PreferenceWindow>()> preference;
  std::function<std::unique_ptr<AboutWindow>()> about;
};

class Win32Desktop : public Desktop, public WindowShell {
 public:
  // program is not owned; dataArrived (may be null) is the event a wait wakes on.
  Win32Desktop(Program& program, ViewFactories views, HANDLE dataArrived);
  ~Win32Desktop() override;

  bool PrevInstance() override;
  std::string ProgramFolder() override;
  WindowHandle MainWindow() override;
  uint32_t MainWindowIcon() override;
  void HideMainWindow() override;
  int TwipsPerPixelX() override { return program_.TwipsPerPixelX(); }
  void MsgBox(const std::string& text, int style, const std::string& title) override;
  const MenuItem* PopupMenu(const MenuItem& menu) override;
  PictureRef LoadPicture(const std::string& path) override { return views_.loadPicture(path); }
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
  void SetActiveWindow(WindowHandle window) override;
  void SetFocus(WindowHandle window) override;
  bool SendKeys(WindowHandle window, const std::string& keys) override;
  void Shell(const std::string& commandLine, int windowStyle) override;
  WindowHandle FindWindow(const std::string& className) override;

 private:
  Program& program_;  // not owned
  ViewFactories views_;
  HANDLE dataArrived_;  // not owned, may be null
  HANDLE instanceMutex_ = nullptr;
  HWND heldBackBy_ = nullptr;  // the window in front when keys were last held back, for the trace
};

}  // namespace dorvane::win32
