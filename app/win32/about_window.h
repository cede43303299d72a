// frmAbout's window: the template's icon, texts, etched line and OK button, with the texts of
// the About box's logic put in when it is shown.
#pragma once

#include <windows.h>

#include <functional>

#include "modeless_dialog.h"
#include "views.h"

namespace dorvane::win32 {

// What the user does on the box, reported to its logic.
struct AboutActions {
  std::function<void()> onOk;
  std::function<void()> onCloseBox;
};

class Win32AboutWindow : public dorvane::AboutWindow, public ModelessDialog {
 public:
  // An owner keeps the box off the task bar; it may be null.
  Win32AboutWindow(HWND owner, AboutActions actions);
  ~Win32AboutWindow() override;

  void Show(const dorvane::AboutTexts& texts) override;
  void BringToFront() override { Raise(); }
  void Close() override { Destroy(); }

 private:
  void OnInitDialog() override;
  INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  AboutActions actions_;
  HFONT titleFont_ = nullptr;
};

}  // namespace dorvane::win32
