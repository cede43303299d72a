// frmAbout's window in GTK: the program icon, the texts of the About box's logic, an etched
// line and the OK button.
#pragma once

#include "gtk_preference_window.h"
#include "views.h"

namespace dorvane::linux_host {

class GtkAboutWindow : public AboutWindow {
 public:
  // onCancel is not used: the box has no Cancel button.
  explicit GtkAboutWindow(DialogActions actions);
  ~GtkAboutWindow() override { Close(); }
  GtkAboutWindow(const GtkAboutWindow&) = delete;
  GtkAboutWindow& operator=(const GtkAboutWindow&) = delete;

  void Show(const AboutTexts& texts) override;
  void BringToFront() override;
  void Close() override;

 private:
  DialogActions actions_;
  GtkWidget* window_ = nullptr;
  GtkWidget* title_ = nullptr;
  GtkWidget* version_ = nullptr;
  GtkWidget* description_ = nullptr;
  GtkWidget* disclaimer_ = nullptr;
  GtkWidget* ok_ = nullptr;
};

}  // namespace dorvane::linux_host
