// The two dialogs' windows on the simulated desktop: what they show goes to the transcript,
// and the script's user reads and types in their fields.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "transcript.h"
#include "views.h"

namespace sim {

class SimPicture : public dorvane::Picture {
 public:
  SimPicture(int width, int height) : Width(width), Height(height) {}
  int Width;
  int Height;
};

class SimPreferenceWindow : public dorvane::PreferenceWindow {
 public:
  explicit SimPreferenceWindow(Transcript& transcript) : transcript_(transcript) {}

  void SetBackgroundPicture(const dorvane::PictureRef& picture) override {
    background_ = picture != nullptr;
  }
  void SetOkPicture(const dorvane::PictureRef&) override {}
  void SetCancelPicture(const dorvane::PictureRef&) override {}
  void ShowFieldLabels(const std::array<std::string, 3>& labels) override { labels_ = labels; }
  void SetComEntries(const std::vector<std::string>& entries) override { entries_ = entries; }
  std::string Text(dorvane::PreferenceField field) override;
  void SetText(dorvane::PreferenceField field, const std::string& text) override;
  void Show() override;
  void BringToFront() override { transcript_.Add("dialog", "Preference front"); }
  void Close() override { transcript_.Add("dialog", "Preference close"); }

  // The user types or chooses; false with the reason when the field cannot take the text.
  bool Enter(const std::string& control, const std::string& text, std::string& reason);

 private:
  Transcript& transcript_;  // not owned
  bool background_ = false;
  std::array<std::string, 3> labels_;
  std::vector<std::string> entries_;
  std::array<std::string, 3> texts_;
};

class SimAboutWindow : public dorvane::AboutWindow {
 public:
  explicit SimAboutWindow(Transcript& transcript) : transcript_(transcript) {}
  void Show(const dorvane::AboutTexts& texts) override;
  void BringToFront() override { transcript_.Add("dialog", "About front"); }
  void Close() override { transcript_.Add("dialog", "About close"); }

 private:
  Transcript& transcript_;  // not owned
};

}  // namespace sim
