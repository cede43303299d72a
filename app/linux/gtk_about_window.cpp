#include "gtk_about_window.h"

#include <gtk/gtk.h>

namespace dorvane::linux_host {
namespace {

GtkWidget* Label(GtkWidget* box) {
  GtkWidget* label = gtk_label_new("");
  gtk_label_set_xalign(GTK_LABEL(label), 0.0f);
  gtk_label_set_line_wrap(GTK_LABEL(label), TRUE);
  gtk_label_set_max_width_chars(GTK_LABEL(label), 48);
  gtk_box_pack_start(GTK_BOX(box), label, FALSE, FALSE, 0);
  return label;
}

}  // namespace

GtkAboutWindow::GtkAboutWindow(DialogActions actions) : actions_(std::move(actions)) {
  window_ = gtk_window_new(GTK_WINDOW_TOPLEVEL);
  gtk_window_set_resizable(GTK_WINDOW(window_), FALSE);
  gtk_window_set_position(GTK_WINDOW(window_), GTK_WIN_POS_CENTER);
  gtk_window_set_skip_taskbar_hint(GTK_WINDOW(window_), TRUE);
  GtkWidget* rows = gtk_box_new(GTK_ORIENTATION_VERTICAL, 8);
  gtk_container_set_border_width(GTK_CONTAINER(rows), 12);
  gtk_container_add(GTK_CONTAINER(window_), rows);

  GtkWidget* head = gtk_box_new(GTK_ORIENTATION_HORIZONTAL, 12);
  GdkPixbuf* icon = ProgramIconPixbuf(true);
  gtk_box_pack_start(GTK_BOX(head), gtk_image_new_from_pixbuf(icon), FALSE, FALSE, 0);
  g_object_unref(icon);
  GtkWidget* texts = gtk_box_new(GTK_ORIENTATION_VERTICAL, 4);
  gtk_box_pack_start(GTK_BOX(head), texts, TRUE, TRUE, 0);
  title_ = Label(texts);
  version_ = Label(texts);
  description_ = Label(texts);
  gtk_box_pack_start(GTK_BOX(rows), head, FALSE, FALSE, 0);
  gtk_box_pack_start(GTK_BOX(rows), gtk_separator_new(GTK_ORIENTATION_HORIZONTAL), FALSE, FALSE, 0);
  disclaimer_ = Label(rows);
  ok_ = gtk_button_new_with_label("OK");
  GtkWidget* buttons = gtk_button_box_new(GTK_ORIENTATION_HORIZONTAL);
  gtk_button_box_set_layout(GTK_BUTTON_BOX(buttons), GTK_BUTTONBOX_END);
  gtk_container_add(GTK_CONTAINER(buttons), ok_);
  gtk_box_pack_start(GTK_BOX(rows), buttons, FALSE, FALSE, 0);

  g_signal_connect_swapped(ok_, "clicked", G_CALLBACK(+[](GtkAboutWindow* self) {
                             const auto action = self->actions_.onOk;
                             if (action) action();
                           }),
                           this);
  g_signal_connect(window_, "delete-event",
                   G_CALLBACK(+[](GtkWidget*, GdkEvent*, GtkAboutWindow* self) -> gboolean {
                     const auto action = self->actions_.onCloseBox;
                     if (action) action();
                     return TRUE;
                   }),
                   this);
  gtk_widget_show_all(rows);
  // Enter closes the box, as its default button does on Windows.
  gtk_widget_grab_focus(ok_);
}

void GtkAboutWindow::Show(const AboutTexts& texts) {
  gtk_window_set_title(GTK_WINDOW(window_), texts.Caption.c_str());
  gchar* title = g_markup_printf_escaped("<b><big>%s</big></b>", texts.Title.c_str());
  gtk_label_set_markup(GTK_LABEL(title_), title);
  g_free(title);
  gtk_label_set_text(GTK_LABEL(version_), texts.Version.c_str());
  gtk_label_set_text(GTK_LABEL(description_), texts.Description.c_str());
  gtk_label_set_text(GTK_LABEL(disclaimer_), texts.Disclaimer.c_str());
  gtk_window_present(GTK_WINDOW(window_));
}

void GtkAboutWindow::BringToFront() { gtk_window_present(GTK_WINDOW(window_)); }

void GtkAboutWindow::Close() {
  if (!window_) return;
  GtkWidget* window = window_;
  window_ = nullptr;
  g_signal_handlers_disconnect_by_data(window, this);
  g_signal_handlers_disconnect_by_data(ok_, this);
  gtk_widget_destroy(window);
}

}  // namespace dorvane::linux_host
