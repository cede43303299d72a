#include "xembed_tray_icon.h"

// GtkStatusIcon is the one XEmbed tray icon GTK 3 has; it is deprecated, not gone.
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
#include <gtk/gtk.h>

#include "pixbuf_picture.h"

namespace dorvane::linux_host {

XEmbedTrayIcon::XEmbedTrayIcon(TrayIcon::Notify notify, const std::string& tip)
    : notify_(std::move(notify)) {
  GdkPixbuf* pixbuf = ProgramIconPixbuf(true);
  GtkStatusIcon* icon = gtk_status_icon_new_from_pixbuf(pixbuf);
  g_object_unref(pixbuf);
  gtk_status_icon_set_tooltip_text(icon, tip.c_str());
  gtk_status_icon_set_title(icon, tip.c_str());
  gtk_status_icon_set_name(icon, "dorvane");
  g_signal_connect(icon, "button-press-event", G_CALLBACK(&XEmbedTrayIcon::OnButton), this);
  g_signal_connect(icon, "button-release-event", G_CALLBACK(&XEmbedTrayIcon::OnButton), this);
  gtk_status_icon_set_visible(icon, TRUE);
  icon_ = icon;
}

XEmbedTrayIcon::~XEmbedTrayIcon() {
  GtkStatusIcon* icon = static_cast<GtkStatusIcon*>(icon_);
  g_signal_handlers_disconnect_by_data(icon, this);
  gtk_status_icon_set_visible(icon, FALSE);
  g_object_unref(icon);
}

int XEmbedTrayIcon::OnButton(void*, void* event, void* self) {
  const auto* button = static_cast<GdkEventButton*>(event);
  int message = 0;
  const bool up = button->type == GDK_BUTTON_RELEASE;
  if (button->button == 1) {
    message = button->type == GDK_2BUTTON_PRESS ? kLeftButtonDoubleClick
              : up                              ? kLeftButtonUp
                                                : kLeftButtonDown;
  } else if (button->button == 3 && button->type != GDK_2BUTTON_PRESS) {
    message = up ? kRightButtonUp : kRightButtonDown;
  }
  if (message && button->type != GDK_3BUTTON_PRESS) {
    // Copied: the handler may remove the icon, and this object with it.
    const TrayIcon::Notify notify = static_cast<XEmbedTrayIcon*>(self)->notify_;
    notify(message);
  }
  return TRUE;
}

}  // namespace dorvane::linux_host
