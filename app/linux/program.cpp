#include "program.h"

// The fault's box shows its icon only when given one as an image, which GTK 3 deprecates.
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
#include <gtk/gtk.h>

#include <exception>
#include <string>

#include "runtime_error.h"

namespace dorvane::linux_host {

struct Program::Loop {
  GMainLoop* main = g_main_loop_new(nullptr, FALSE);
};

Program::Program() : loop_(new Loop) {}

Program::~Program() {
  g_main_loop_unref(loop_->main);
  delete loop_;
}

void Program::Deliver(const std::function<void()>& handler) {
  if (ended_) return;
  try {
    handler();
  } catch (const ProgramEnded&) {
    End();
  } catch (const std::exception& fault) {
    // The handlers trap their own failures; reaching here is a fault of the program.
    held_ = true;
    GtkWidget* box =
        gtk_message_dialog_new(nullptr, GTK_DIALOG_MODAL, GTK_MESSAGE_ERROR, GTK_BUTTONS_OK, "%s",
                               "Dorvane stopped after an internal fault:");
    gtk_message_dialog_format_secondary_text(GTK_MESSAGE_DIALOG(box), "%s", fault.what());
    gtk_window_set_title(GTK_WINDOW(box), "Dorvane");
    GtkWidget* icon = gtk_image_new_from_icon_name("dialog-error", GTK_ICON_SIZE_DIALOG);
    gtk_message_dialog_set_image(GTK_MESSAGE_DIALOG(box), icon);
    gtk_widget_show(icon);
    gtk_dialog_run(GTK_DIALOG(box));
    gtk_widget_destroy(box);
    End();
  }
}

void Program::DeliverEvent(const std::function<void()>& handler) {
  if (!held_) Deliver(handler);
}

void Program::DoEvents() {
  // Bounded, so that a source that is always ready cannot keep the caller here for ever.
  for (int pass = 0; pass < 1000 && !ended_ && g_main_context_pending(nullptr); ++pass) {
    g_main_context_iteration(nullptr, FALSE);
  }
  if (ended_) throw ProgramEnded{};
}

int Program::Run() {
  if (!ended_) g_main_loop_run(loop_->main);
  return 0;
}

void Program::End() {
  if (ended_) return;
  ended_ = true;
  g_main_loop_quit(loop_->main);
}

}  // namespace dorvane::linux_host
