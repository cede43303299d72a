// Which notification-area hosts the desktop has.
#pragma once

namespace dorvane::linux_host {

// An XEmbed tray manager owns the display's _NET_SYSTEM_TRAY_Sn selection.
bool XEmbedTrayManagerPresent();
// A StatusNotifierWatcher owns its name on the session bus (false without a bus).
bool StatusNotifierWatcherPresent();

}  // namespace dorvane::linux_host
