// The notification-area icon as an XEmbed status icon, shown while it exists.
#pragma once

#include <string>

#include "tray_icon.h"

namespace dorvane::linux_host {

class XEmbedTrayIcon {
 public:
  XEmbedTrayIcon(TrayIcon::Notify notify, const std::string& tip);
  ~XEmbedTrayIcon();
  XEmbedTrayIcon(const XEmbedTrayIcon&) = delete;
  XEmbedTrayIcon& operator=(const XEmbedTrayIcon&) = delete;

 private:
  static int OnButton(void* icon, void* event, void* self);

  TrayIcon::Notify notify_;
  void* icon_;  // GtkStatusIcon
};

}  // namespace dorvane::linux_host
