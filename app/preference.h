// The settings dialog's logic: opening suspends the bridge, closing writes DVN.ini and resumes
// it. The runtime reports the user's actions on the dialog's window here.
#pragma once

#include <memory>

#include "views.h"

namespace dorvane {

class Dorvane_frm;

class Preference {
 public:
  explicit Preference(Dorvane_frm& main) : main_(main) {}

  bool IsLoaded() const { return window_ != nullptr; }
  // Modeless: loads and shows the dialog, or brings it to the front when it is open.
  void Show();
  void Cmd_OK_Click();
  void Cmd_Cancel_Click();
  // The window was closed by other means (its close box).
  void OnCloseBox() { Unload(); }
  // The program ends: the window goes without the closing steps.
  void Discard() { window_.reset(); }

  PreferenceWindow* Window() { return window_.get(); }

 private:
  void Form_Load();
  void Unload();
  void Form_Unload();

  Dorvane_frm& main_;  // not owned
  std::unique_ptr<PreferenceWindow> window_;
};

}  // namespace dorvane
