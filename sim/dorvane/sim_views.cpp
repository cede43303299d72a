#include "sim_views.h"

#include <algorithm>

#include "quoting.h"

namespace sim {
namespace {

using dorvane::PreferenceField;

const std::array<const char*, 3> kFieldNames = {"Cmb_Com", "Txt_MDN", "Cmb_MAC"};

}  // namespace

std::string SimPreferenceWindow::Text(PreferenceField field) {
  return texts_[static_cast<size_t>(field)];
}

void SimPreferenceWindow::SetText(PreferenceField field, const std::string& text) {
  texts_[static_cast<size_t>(field)] = text;
}

void SimPreferenceWindow::Show() {
  std::string line = "Preference open";
  for (size_t field = 0; field < kFieldNames.size(); ++field) {
    line += std::string(" ") + kFieldNames[field] + " " + Quote(texts_[field]);
  }
  if (background_) {
    line += " picture";
  } else {
    line += " labels";
    for (const std::string& label : labels_) line += " " + Quote(label);
  }
  transcript_.Add("dialog", line);
}

bool SimPreferenceWindow::Enter(const std::string& control, const std::string& text,
                                std::string& reason) {
  const auto named = std::find(kFieldNames.begin(), kFieldNames.end(), control);
  if (named == kFieldNames.end()) {
    reason = "no control " + control;
    return false;
  }
  const auto field = static_cast<size_t>(named - kFieldNames.begin());
  // A drop-down list takes only its own entries.
  if (field == static_cast<size_t>(PreferenceField::Cmb_Com) &&
      std::find(entries_.begin(), entries_.end(), text) == entries_.end()) {
    reason = "Cmb_Com has no entry " + Quote(text);
    return false;
  }
  texts_[field] = text;
  return true;
}

void SimAboutWindow::Show(const dorvane::AboutTexts& texts) {
  transcript_.Add("dialog", "About open caption " + Quote(texts.Caption) + " version " +
                                Quote(texts.Version) + " description " + Quote(texts.Description));
}

}  // namespace sim
