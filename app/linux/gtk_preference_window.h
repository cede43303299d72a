// The settings dialog's window in GTK: the form's five controls placed from its twips, with
// back1.jpg, when it loaded, as the background and the face of both buttons.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "pixbuf_picture.h"
#include "views.h"

typedef struct _GtkWidget GtkWidget;

namespace dorvane::linux_host {

// What the user does on a dialog, reported to the dialog's logic. A report may destroy the
// window it came from.
struct DialogActions {
  std::function<void()> onOk;
  std::function<void()> onCancel;
  std::function<void()> onCloseBox;
};

class GtkPreferenceWindow : public PreferenceWindow {
 public:
  // linkedPorts are offered beside the core's entries.
  GtkPreferenceWindow(DialogActions actions, std::vector<int16_t> linkedPorts);
  ~GtkPreferenceWindow() override;
  GtkPreferenceWindow(const GtkPreferenceWindow&) = delete;
  GtkPreferenceWindow& operator=(const GtkPreferenceWindow&) = delete;

  void SetBackgroundPicture(const PictureRef& picture) override;
  void SetOkPicture(const PictureRef& picture) override;
  void SetCancelPicture(const PictureRef& picture) override;
  void ShowFieldLabels(const std::array<std::string, 3>& labels) override;
  void SetComEntries(const std::vector<std::string>& entries) override;
  std::string Text(PreferenceField field) override;
  void SetText(PreferenceField field, const std::string& text) override;
  void Show() override;
  void BringToFront() override;
  void Close() override;

 private:
  void SetButtonFace(GtkWidget* button, const PictureRef& picture, int width, int height);

  DialogActions actions_;
  std::vector<int16_t> linkedPorts_;
  GtkWidget* window_ = nullptr;
  GtkWidget* layout_ = nullptr;
  GtkWidget* background_ = nullptr;
  GtkWidget* fields_[3] = {};
  GtkWidget* ok_ = nullptr;
  GtkWidget* cancel_ = nullptr;
};

}  // namespace dorvane::linux_host
