// Ports: the windows of the two dialogs. The runtime creates them on request and reports the
// user's actions to the dialogs' logic (Preference, About).
#pragma once

#include <array>
#include <memory>
#include <string>
#include <vector>

namespace dorvane {

// A loaded picture, opaque to the core.
class Picture {
 public:
  virtual ~Picture() = default;
};
using PictureRef = std::shared_ptr<Picture>;

enum class PreferenceField { Cmb_Com, Txt_MDN, Cmb_MAC };

class PreferenceWindow {
 public:
  virtual ~PreferenceWindow() = default;
  virtual void SetBackgroundPicture(const PictureRef& picture) = 0;
  virtual void SetOkPicture(const PictureRef& picture) = 0;
  virtual void SetCancelPicture(const PictureRef& picture) = 0;
  // Without the picture: plain buttons with their captions, and a label for each field.
  virtual void ShowFieldLabels(const std::array<std::string, 3>& labels) = 0;
  virtual void SetComEntries(const std::vector<std::string>& entries) = 0;
  virtual std::string Text(PreferenceField field) = 0;
  virtual void SetText(PreferenceField field, const std::string& text) = 0;
  // Modeless: returns at once.
  virtual void Show() = 0;
  virtual void BringToFront() = 0;
  // The window goes; nothing of the dialog's logic runs.
  virtual void Close() = 0;
};

struct AboutTexts {
  std::string Caption;
  std::string Title;
  std::string Version;
  std::string Description;
  std::string Disclaimer;
};

class AboutWindow {
 public:
  virtual ~AboutWindow() = default;
  virtual void Show(const AboutTexts& texts) = 0;
  virtual void BringToFront() = 0;
  virtual void Close() = 0;
};

}  // namespace dorvane
