// The notification-area icon as an XEmbed status icon. Its clicks reach the program as the
// shell's notifications do on Windows: the mouse message's number as the X of a middle-button
// press on the main window.
#pragma once

#include <functional>
#include <string>

namespace dorvane::linux_host {

// Mouse message numbers, as the form reads them.
constexpr int kLeftButtonDown = 513;
constexpr int kLeftButtonUp = 514;
constexpr int kLeftButtonDoubleClick = 515;
constexpr int kRightButtonDown = 516;
constexpr int kRightButtonUp = 517;

class TrayIcon {
 public:
  using Notify = std::function<void(int mouseMessage)>;

  explicit TrayIcon(Notify notify) : notify_(std::move(notify)) {}
  ~TrayIcon() { Remove(); }
  TrayIcon(const TrayIcon&) = delete;
  TrayIcon& operator=(const TrayIcon&) = delete;

  void Add(const std::string& tip);
  void Remove();
  bool Shown() const { return icon_ != nullptr; }

 private:
  static int OnButton(void* icon, void* event, void* self);

  Notify notify_;
  void* icon_ = nullptr;  // GtkStatusIcon
};

}  // namespace dorvane::linux_host
