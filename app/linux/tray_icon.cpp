#include "tray_icon.h"

#include "status_notifier_item.h"
#include "tray_hosts.h"
#include "xembed_tray_icon.h"

namespace dorvane::linux_host {

TrayIcon::TrayIcon(Notify notify) : notify_(std::move(notify)) {}

TrayIcon::~TrayIcon() { Remove(); }

void TrayIcon::Add(const std::string& tip) {
  if (Shown()) return;
  // An XEmbed icon waits for a tray that comes later; a StatusNotifierItem only where a watcher
  // is already there to show it and no tray is.
  if (!XEmbedTrayManagerPresent() && StatusNotifierWatcherPresent()) {
    item_ = StatusNotifierItem::Export(notify_, tip);
  }
  if (!item_) xembed_ = std::make_unique<XEmbedTrayIcon>(notify_, tip);
}

void TrayIcon::Remove() {
  // Taken out first: removing may run while one of the icon's own clicks is being delivered.
  std::unique_ptr<XEmbedTrayIcon> xembed = std::move(xembed_);
  std::unique_ptr<StatusNotifierItem> item = std::move(item_);
}

}  // namespace dorvane::linux_host
