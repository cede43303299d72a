// The version window: one shared instance, modeless, texts rebuilt each time it loads.
#pragma once

#include <memory>

#include "app_info.h"
#include "views.h"

namespace dorvane {

class Desktop;

// "Version" and three blanks, then major.minor.revision without leading zeros.
std::string VersionText(const AppVersion& version);
AboutTexts MakeAboutTexts(const std::string& title, const AppVersion& version);

class frmAbout {
 public:
  explicit frmAbout(Desktop& desktop) : desktop_(desktop) {}

  bool IsLoaded() const { return window_ != nullptr; }
  void Show();
  void cmdOK_Click() { Unload(); }
  void OnCloseBox() { Unload(); }
  // The program ends: the window goes with it.
  void Discard() { window_.reset(); }
  AboutWindow* Window() { return window_.get(); }

 private:
  void Unload();

  Desktop& desktop_;  // not owned
  std::unique_ptr<AboutWindow> window_;
};

}  // namespace dorvane
