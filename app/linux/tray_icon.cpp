#include "tray_icon.h"

// GtkStatusIcon is the one XEmbed tray icon GTK 3 has; it is deprecated, not gone.
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
#include <gtk/gtk.h>

#include "pixbuf_picture.h"

namespace dorvane::linux_host {

void TrayIcon::Add(const std::string& tip) {
  if (icon_) return;
  GdkPixbuf* pixbuf = ProgramIconPixbuf(true);
  GtkStatusIcon* icon = gtk_status_icon_new_from_pixbuf(pixbuf);
  g_object_unref(pixbuf);
  gtk_status_icon_set_tooltip_text(icon, tip.c_str());
  gtk_status_icon_set_title(icon, tip.c_str());
  gtk_status_icon_set_name(icon, "dorvane");
  g_signal_connect(icon, "button-press-event", G_CALLBACK(&TrayIcon::OnButton), this);
  g_signal_connect(icon, "button-release-event", G_CALLBACK(&TrayIcon::OnButton), this);
  gtk_status_icon_set_visible(icon, TRUE);
  icon_ = icon;
}

void TrayIcon::Remove() {
  if (!icon_) return;
  GtkStatusIcon* icon = static_cast<GtkStatusIcon*>(icon_);
  icon_ = nullptr;
  g_signal_handlers_disconnect_by_data(icon, this);
  gtk_status_icon_set_visible(icon, FALSE);
  g_object_unref(icon);
}

int TrayIcon::OnButton(void*, void* event, void* self) {
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
  if (message && button->type != GDK_3BUTTON_PRESS) static_cast<TrayIcon*>(self)->notify_(message);
  return TRUE;
}

}  // namespace dorvane::linux_host
