// The notification-area icon. Its clicks reach the program as the shell's notifications do on
// Windows: the mouse message's number as the X of a middle-button press on the main window. An
// XEmbed icon where the display has a tray, a StatusNotifierItem where the desktop hosts only
// those.
#pragma once

#include <functional>
#include <memory>
#include <string>

namespace dorvane::linux_host {

// Mouse message numbers, as the form reads them.
constexpr int kLeftButtonDown = 513;
constexpr int kLeftButtonUp = 514;
constexpr int kLeftButtonDoubleClick = 515;
constexpr int kRightButtonDown = 516;
constexpr int kRightButtonUp = 517;
constexpr int kMiddleButtonDown = 519;
constexpr int kMiddleButtonUp = 520;

class XEmbedTrayIcon;
class StatusNotifierItem;

class TrayIcon {
 public:
  using Notify = std::function<void(int mouseMessage)>;

  explicit TrayIcon(Notify notify);
  ~TrayIcon();
  TrayIcon(const TrayIcon&) = delete;
  TrayIcon& operator=(const TrayIcon&) = delete;

  void Add(const std::string& tip);
  void Remove();
  bool Shown() const { return xembed_ || item_; }

 private:
  Notify notify_;
  std::unique_ptr<XEmbedTrayIcon> xembed_;
  std::unique_ptr<StatusNotifierItem> item_;
};

}  // namespace dorvane::linux_host
