#include "tray_hosts.h"

#include <gdk/gdkx.h>
#include <gio/gio.h>

#include <string>

namespace dorvane::linux_host {

bool XEmbedTrayManagerPresent() {
  GdkDisplay* display = gdk_display_get_default();
  if (!display || !GDK_IS_X11_DISPLAY(display)) return false;
  const int screen = gdk_x11_screen_get_screen_number(gdk_display_get_default_screen(display));
  const std::string selection = "_NET_SYSTEM_TRAY_S" + std::to_string(screen);
  const Atom atom = gdk_x11_get_xatom_by_name_for_display(display, selection.c_str());
  return XGetSelectionOwner(GDK_DISPLAY_XDISPLAY(display), atom) != None;
}

bool StatusNotifierWatcherPresent() {
  GDBusConnection* bus = g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, nullptr);
  if (!bus) return false;
  GVariant* reply = g_dbus_connection_call_sync(
      bus, "org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus", "NameHasOwner",
      g_variant_new("(s)", "org.kde.StatusNotifierWatcher"), G_VARIANT_TYPE("(b)"),
      G_DBUS_CALL_FLAGS_NONE, 2000, nullptr, nullptr);
  gboolean owned = FALSE;
  if (reply) {
    g_variant_get(reply, "(b)", &owned);
    g_variant_unref(reply);
  }
  g_object_unref(bus);
  return owned;
}

}  // namespace dorvane::linux_host
