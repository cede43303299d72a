// The program's one thread: the hidden main window, the message loop, and the gate every
// handler passes. A handler that ends the program unwinds to the gate; nested handlers (run
// while another lets pending events run) unwind the waiting one too.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <map>

#include "posted_calls.h"

namespace dorvane::win32 {

class Program {
 public:
  explicit Program(HINSTANCE instance);
  ~Program();
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  HWND MainWindow() const { return window_; }
  HICON Icon() const { return icon_; }
  PostedCalls& Posted() { return posted_; }

  // Runs a handler. The program's end stops here; any other escape is a fault of the program,
  // which is reported and ends it.
  void Deliver(const std::function<void()>& handler);
  // Runs an event's handler unless events are held back or the program has ended.
  void DeliverEvent(const std::function<void()>& handler);
  // The program is ending: no timer, serial, control or messenger event runs any more.
  void HoldEvents() { held_ = true; }

  // One pass over the queue; throws dorvane::ProgramEnded when a handler ended the program.
  void DoEvents();
  // The message loop, until the program ends.
  int Run();
  void End();
  bool Ended() const { return ended_; }

  // Modeless dialogs get their keyboard messages first.
  void SetDialogFilter(std::function<bool(MSG&)> filter) { dialogFilter_ = std::move(filter); }
  // The tray icon's notifications, as the mouse-down event of the main window.
  void SetMouseDown(std::function<void(int16_t button, int16_t shift, float x, float y)> handler) {
    mouseDown_ = std::move(handler);
  }
  // The user's session ends: the program goes its own way out.
  void SetSessionEnd(std::function<void()> handler) { sessionEnd_ = std::move(handler); }
  // Window timers on the main window, by their ids.
  void SetTimerTick(UINT_PTR id, std::function<void()> tick);
  void RemoveTimerTick(UINT_PTR id) { timerTicks_.erase(id); }

  int TwipsPerPixelX() const;

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void Dispatch(MSG& message);

  HINSTANCE instance_;
  HWND window_ = nullptr;
  HICON icon_ = nullptr;
  PostedCalls posted_;
  bool held_ = false;
  bool ended_ = false;
  std::function<bool(MSG&)> dialogFilter_;
  std::function<void(int16_t, int16_t, float, float)> mouseDown_;
  std::function<void()> sessionEnd_;
  std::map<UINT_PTR, std::function<void()>> timerTicks_;
};

}  // namespace dorvane::win32
