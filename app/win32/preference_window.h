// The settings dialog's window: the form's five controls placed in pixels from its twips, with
// back1.jpg, when it loaded, as the background and the face of both buttons.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>

#include "modeless_dialog.h"
#include "ole_picture.h"
#include "views.h"

namespace dorvane::win32 {

// What the user does on the dialog, reported to the dialog's logic.
struct PreferenceActions {
  std::function<void()> onOk;
  std::function<void()> onCancel;
  std::function<void()> onCloseBox;
};

class Win32PreferenceWindow : public dorvane::PreferenceWindow, public ModelessDialog {
 public:
  // An owner keeps the dialog off the task bar; it may be null.
  Win32PreferenceWindow(HWND owner, PreferenceActions actions);
  ~Win32PreferenceWindow() override;

  void SetBackgroundPicture(const dorvane::PictureRef& picture) override;
  void SetOkPicture(const dorvane::PictureRef& picture) override;
  void SetCancelPicture(const dorvane::PictureRef& picture) override;
  void ShowFieldLabels(const std::array<std::string, 3>& labels) override;
  void SetComEntries(const std::vector<std::string>& entries) override;
  std::string Text(dorvane::PreferenceField field) override;
  void SetText(dorvane::PreferenceField field, const std::string& text) override;
  void Show() override;
  void BringToFront() override { Raise(); }
  void Close() override { Destroy(); }

 private:
  void OnInitDialog() override;
  INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void SetButtonFace(int id, bool picture);
  void DrawButton(const DRAWITEMSTRUCT& item) const;
  SIZE PictureSize(const OlePicture& picture) const;

  PreferenceActions actions_;
  int dpi_ = 96;
  HFONT buttonFont_ = nullptr;
  std::shared_ptr<OlePicture> background_;
  std::shared_ptr<OlePicture> okFace_;
  std::shared_ptr<OlePicture> cancelFace_;
};

}  // namespace dorvane::win32
