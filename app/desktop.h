// Ports: the window runtime the program runs in, and the shell and window calls it makes.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "menu.h"
#include "messenger.h"
#include "tray_icon_data.h"
#include "views.h"

namespace dorvane {

// Message box styles.
constexpr int kMsgOkOnly = 0;
constexpr int kMsgCritical = 16;
constexpr int kMsgExclamation = 48;
constexpr int kMsgInformation = 64;

class Desktop {
 public:
  virtual ~Desktop() = default;

  // Whether another instance of the program runs in this user's session.
  virtual bool PrevInstance() = 0;
  // The folder the program was started from, without a trailing separator.
  virtual std::string ProgramFolder() = 0;
  // What separates a folder from a file's name in a path.
  virtual char PathSeparator() { return '\\'; }
  virtual WindowHandle MainWindow() = 0;
  virtual uint32_t MainWindowIcon() = 0;
  virtual void HideMainWindow() = 0;
  virtual int TwipsPerPixelX() = 0;

  // Modal; returns when the user has closed it.
  virtual void MsgBox(const std::string& text, int style, const std::string& title) = 0;
  // Shows the menu at the mouse and waits; returns the chosen item, or null when dismissed.
  virtual const MenuItem* PopupMenu(const MenuItem& menu) = 0;
  // Fails with 53 when the file is missing and 481 when it holds no picture.
  virtual PictureRef LoadPicture(const std::string& path) = 0;
  virtual std::unique_ptr<PreferenceWindow> CreatePreferenceWindow() = 0;
  virtual std::unique_ptr<AboutWindow> CreateAboutWindow() = 0;

  // Runs the events pending at this moment, and those they post for the same moment.
  virtual void DoEvents() = 0;
  // Milliseconds of a clock that never goes back.
  virtual int64_t MonotonicMs() = 0;
  // Lets a little time pass without running any handler: until data may have arrived from
  // outside, at most 10 ms. Waits call it instead of spinning.
  virtual void Nap() = 0;

  // The program is ending: from now on no timer, serial, control or messenger event reaches a
  // handler, so a fatal report on screen cannot be joined by another.
  virtual void HoldEvents() = 0;
  // The program is over: open windows go without their closing logic, nothing runs again.
  virtual void EndProgram() = 0;
};

// ShowWindow commands.
constexpr int kSwShowNormal = 1;
// Shell window styles.
constexpr int kMinimizedFocus = 2;

class WindowShell {
 public:
  virtual ~WindowShell() = default;
  virtual bool ShellNotifyIcon(uint32_t message, const TrayIconData& data) = 0;
  // Non-zero (true) when the window came to the front.
  virtual bool SetForegroundWindow(WindowHandle window) = 0;
  virtual void ShowWindow(WindowHandle window, int command) = 0;
  virtual void SetActiveWindow(WindowHandle window) = 0;
  virtual void SetFocus(WindowHandle window) = 0;
  // Keystrokes in the key-sending notation ("%T" is Alt+T), sent only if the window is in front
  // at the moment of sending; false, with nothing sent, while another window is in front.
  virtual bool SendKeys(WindowHandle window, const std::string& keys) = 0;
  // Starts a program and returns without waiting for it.
  virtual void Shell(const std::string& commandLine, int windowStyle) = 0;
  // A top-level window of that class, or 0.
  virtual WindowHandle FindWindow(const std::string& className) = 0;
};

}  // namespace dorvane
