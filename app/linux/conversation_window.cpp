#include "conversation_window.h"

#include <gtk/gtk.h>

namespace dorvane::linux_host {

ConversationWindow::ConversationWindow(GtkDesktop& desktop, const std::string& title,
                                       KeysHandler onKeys, std::function<void()> onClosed)
    : desktop_(desktop), onClosed_(std::move(onClosed)) {
  window_ = gtk_window_new(GTK_WINDOW_TOPLEVEL);
  gtk_window_set_title(GTK_WINDOW(window_), title.c_str());
  gtk_window_set_default_size(GTK_WINDOW(window_), 360, 160);
  view_ = gtk_label_new("");
  gtk_label_set_xalign(GTK_LABEL(view_), 0.0f);
  gtk_label_set_yalign(GTK_LABEL(view_), 0.0f);
  gtk_label_set_line_wrap(GTK_LABEL(view_), TRUE);
  gtk_label_set_selectable(GTK_LABEL(view_), TRUE);
  gtk_container_set_border_width(GTK_CONTAINER(window_), 8);
  gtk_container_add(GTK_CONTAINER(window_), view_);
  g_signal_connect(window_, "delete-event",
                   G_CALLBACK(+[](GtkWidget*, GdkEvent*, ConversationWindow* self) -> gboolean {
                     const std::function<void()> closed = self->onClosed_;
                     self->Close();
                     if (closed) closed();
                     return TRUE;
                   }),
                   this);
  gtk_widget_show_all(window_);
  handle_ = desktop_.AddWindow(GTK_WINDOW(window_), std::move(onKeys));
}

ConversationWindow::~ConversationWindow() { Close(); }

void ConversationWindow::AppendLine(const std::string& line) {
  text_ += line + "\r\n";
  if (view_) gtk_label_set_text(GTK_LABEL(view_), text_.c_str());
}

void ConversationWindow::SetText(const std::string& text) {
  text_ = text;
  if (view_) gtk_label_set_text(GTK_LABEL(view_), text_.c_str());
}

void ConversationWindow::Close() {
  if (!window_) return;
  GtkWidget* window = window_;
  window_ = nullptr;
  view_ = nullptr;
  desktop_.RemoveWindow(handle_);
  g_signal_handlers_disconnect_by_data(window, this);
  gtk_widget_destroy(window);
}

}  // namespace dorvane::linux_host
