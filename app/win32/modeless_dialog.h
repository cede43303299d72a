// A modeless dialog made from one of the program's templates, and the registry through which
// the message loop gives every open one its keyboard messages first.
#pragma once

#include <windows.h>

#include <functional>

namespace dorvane::win32 {

class ModelessDialogs {
 public:
  static void Add(HWND dialog);
  static void Remove(HWND dialog);
  // True when an open dialog took the message; the loop then neither translates nor dispatches
  // it.
  static bool PreTranslate(MSG& message);
  // The open dialog shown last, or null: the owner a message box disables while it is up.
  static HWND Front();
};

class ModelessDialog {
 public:
  virtual ~ModelessDialog();
  ModelessDialog(const ModelessDialog&) = delete;
  ModelessDialog& operator=(const ModelessDialog&) = delete;

  HWND Handle() const { return dialog_; }

 protected:
  ModelessDialog() = default;
  // Creates the dialog, hidden, from the template `id` of the program's module. Call it from
  // the derived constructor: OnInitDialog runs inside.
  void Create(int id, HWND owner);
  // Shows it and brings it to the front.
  void Raise();
  // The window goes; no callback runs. A derived destructor calls it before it frees anything
  // the window uses.
  void Destroy();

  virtual void OnInitDialog() = 0;
  // As a dialog procedure answers: TRUE when handled.
  virtual INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) = 0;

  // Runs a user action given at construction. It may destroy this window and its object, so
  // the caller returns at once afterwards.
  static void Fire(const std::function<void()>& action);

  HWND dialog_ = nullptr;

 private:
  static INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
};

}  // namespace dorvane::win32
