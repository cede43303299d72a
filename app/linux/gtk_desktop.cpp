#include "gtk_desktop.h"

// Message dialogs show an icon only when given one as an image, which GTK 3 deprecates.
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
#include <gtk/gtk.h>

#include <cstdlib>
#include <vector>

#include "pixbuf_picture.h"
#include "program_folders.h"
#include "runtime_error.h"

namespace dorvane::linux_host {
namespace {

const char* IconName(int style) {
  switch (style & 0x70) {
    case kMsgCritical:
      return "dialog-error";
    case kMsgExclamation:
      return "dialog-warning";
    case kMsgInformation:
      return "dialog-information";
    case 32:
      return "dialog-question";
  }
  return nullptr;
}

GtkMessageType MessageType(int style) {
  switch (style & 0x70) {
    case kMsgCritical:
      return GTK_MESSAGE_ERROR;
    case kMsgExclamation:
      return GTK_MESSAGE_WARNING;
    case kMsgInformation:
      return GTK_MESSAGE_INFO;
  }
  return GTK_MESSAGE_OTHER;
}

std::string WithoutCarriageReturns(std::string text) {
  for (size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at)) {
    text.erase(at, 1);
  }
  return text;
}

// "Exit(&X)" shows X underlined, as on Windows, and the letter chooses the item.
std::string Mnemonic(const std::string& caption) {
  std::string label;
  for (size_t at = 0; at < caption.size(); ++at) {
    const char symbol = caption[at];
    if (symbol == '_') {
      label += "__";
    } else if (symbol == '&' && at + 1 < caption.size()) {
      label += caption[at + 1] == '&' ? '&' : '_';
      if (caption[at + 1] == '&') ++at;
    } else {
      label += symbol;
    }
  }
  return label;
}

struct MenuRun {
  GMainLoop* loop;
  const MenuItem* chosen = nullptr;
};

void OnItemActivated(GtkMenuItem* item, MenuRun* run) {
  run->chosen = static_cast<const MenuItem*>(g_object_get_data(G_OBJECT(item), "dorvane-item"));
}

// An item is activated after its menu closes: the loop ends once both have happened.
void OnMenuClosed(GtkMenuShell*, MenuRun* run) {
  g_idle_add(
      [](gpointer loop) {
        g_main_loop_quit(static_cast<GMainLoop*>(loop));
        return G_SOURCE_REMOVE;
      },
      run->loop);
}

GtkWidget* BuildMenu(const MenuItem& parent, MenuRun& run) {
  GtkWidget* menu = gtk_menu_new();
  for (const MenuItem& item : parent.Items) {
    if (!item.Visible) continue;
    GtkWidget* entry = gtk_menu_item_new_with_mnemonic(Mnemonic(item.Caption).c_str());
    if (!item.Items.empty()) {
      gtk_menu_item_set_submenu(GTK_MENU_ITEM(entry), BuildMenu(item, run));
    } else {
      g_object_set_data(G_OBJECT(entry), "dorvane-item", const_cast<MenuItem*>(&item));
      g_signal_connect(entry, "activate", G_CALLBACK(OnItemActivated), &run);
    }
    gtk_menu_shell_append(GTK_MENU_SHELL(menu), entry);
  }
  gtk_widget_show_all(menu);
  return menu;
}

// The click that opens the menu: the current event, or, when a StatusNotifierItem's host asked
// for it over the bus, a right-button press where the pointer is now.
GdkEvent* MenuTrigger() {
  if (GdkEvent* current = gtk_get_current_event()) return current;
  GdkDisplay* display = gdk_display_get_default();
  GdkDevice* pointer = gdk_seat_get_pointer(gdk_display_get_default_seat(display));
  GdkWindow* root = gdk_get_default_root_window();
  int x = 0;
  int y = 0;
  gdk_window_get_device_position(root, pointer, &x, &y, nullptr);
  GdkEvent* press = gdk_event_new(GDK_BUTTON_PRESS);
  press->button.window = GDK_WINDOW(g_object_ref(root));
  press->button.time = GDK_CURRENT_TIME;
  press->button.x = press->button.x_root = x;
  press->button.y = press->button.y_root = y;
  press->button.button = GDK_BUTTON_SECONDARY;
  gdk_event_set_device(press, pointer);
  return press;
}

// The editor for a text file: $VISUAL when set, else the desktop's handler for the file.
std::vector<std::string> EditorCommand(const std::string& file) {
  const char* visual = std::getenv("VISUAL");
  if (visual && *visual) return {visual, file};
  return {"xdg-open", file};
}

}  // namespace

GtkDesktop::GtkDesktop(Program& program, ViewFactories views,
                       std::function<void(int timeoutMs)> waitForData)
    : program_(program),
      views_(std::move(views)),
      waitForData_(std::move(waitForData)),
      tray_([this](int message) {
        if (trayNotify_) trayNotify_(message);
      }) {}

GtkDesktop::~GtkDesktop() = default;

WindowHandle GtkDesktop::AddWindow(GtkWindow* window, KeysHandler keys) {
  const WindowHandle handle = nextHandle_++;
  windows_[handle] = Window{window, std::move(keys)};
  return handle;
}

void GtkDesktop::RemoveWindow(WindowHandle handle) {
  windows_.erase(handle);
  if (inFront_ == handle) inFront_ = 0;
}

std::string GtkDesktop::ProgramFolder() { return ConfigFolder(); }

void GtkDesktop::MsgBox(const std::string& text, int style, const std::string& title) {
  GtkWidget* box =
      gtk_message_dialog_new(nullptr, GTK_DIALOG_MODAL, MessageType(style), GTK_BUTTONS_OK, "%s",
                             WithoutCarriageReturns(text).c_str());
  gtk_window_set_title(GTK_WINDOW(box), title.c_str());
  gtk_window_set_keep_above(GTK_WINDOW(box), TRUE);
  if (const char* icon = IconName(style)) {
    GtkWidget* image = gtk_image_new_from_icon_name(icon, GTK_ICON_SIZE_DIALOG);
    gtk_message_dialog_set_image(GTK_MESSAGE_DIALOG(box), image);
    gtk_widget_show(image);
  }
  gtk_dialog_run(GTK_DIALOG(box));
  gtk_widget_destroy(box);
}

const MenuItem* GtkDesktop::PopupMenu(const MenuItem& menu) {
  MenuRun run{g_main_loop_new(nullptr, FALSE)};
  GtkWidget* popup = BuildMenu(menu, run);
  g_signal_connect(popup, "deactivate", G_CALLBACK(OnMenuClosed), &run);
  GdkEvent* trigger = MenuTrigger();
  gtk_menu_popup_at_pointer(GTK_MENU(popup), trigger);
  gdk_event_free(trigger);
  if (gtk_widget_get_visible(popup)) g_main_loop_run(run.loop);
  gtk_widget_destroy(popup);
  g_main_loop_unref(run.loop);
  return run.chosen;
}

PictureRef GtkDesktop::LoadPicture(const std::string& path) {
  try {
    return LoadPixbufPicture(path);
  } catch (const RuntimeError& failure) {
    if (failure.Number != kFileNotFound || path.rfind(ConfigFolder() + "/", 0) != 0) throw;
    return LoadPixbufPicture(DataFolder() + path.substr(path.find_last_of('/')));
  }
}

std::unique_ptr<PreferenceWindow> GtkDesktop::CreatePreferenceWindow() {
  return views_.preference();
}

std::unique_ptr<AboutWindow> GtkDesktop::CreateAboutWindow() { return views_.about(); }

int64_t GtkDesktop::MonotonicMs() { return g_get_monotonic_time() / 1000; }

void GtkDesktop::Nap() {
  if (waitForData_) {
    waitForData_(10);
  } else {
    g_usleep(1000);
  }
}

bool GtkDesktop::ShellNotifyIcon(uint32_t message, const TrayIconData& data) {
  if (message == kNimAdd) {
    tray_.Add(TipText(data));
    return tray_.Shown();
  }
  if (message == kNimDelete) {
    const bool shown = tray_.Shown();
    tray_.Remove();
    return shown;
  }
  return false;
}

bool GtkDesktop::SetForegroundWindow(WindowHandle window) {
  if (window == kMainWindow) return true;
  const auto found = windows_.find(window);
  if (found == windows_.end()) return false;
  gtk_window_present(found->second.window);
  inFront_ = window;
  return true;
}

void GtkDesktop::ShowWindow(WindowHandle window, int) {
  const auto found = windows_.find(window);
  if (found != windows_.end()) gtk_widget_show(GTK_WIDGET(found->second.window));
}

bool GtkDesktop::SendKeys(WindowHandle window, const std::string& keys) {
  if (window != inFront_) return false;
  const auto found = windows_.find(inFront_);
  if (found == windows_.end() || !found->second.keys) return false;
  const KeysHandler handler = found->second.keys;
  handler(keys);
  return true;
}

void GtkDesktop::Shell(const std::string& commandLine, int) {
  std::vector<std::string> command;
  const std::string editor = "notepad.exe ";
  if (commandLine.rfind(editor, 0) == 0) {
    command = EditorCommand(commandLine.substr(editor.size()));
  } else {
    gchar** parsed = nullptr;
    if (!g_shell_parse_argv(commandLine.c_str(), nullptr, &parsed, nullptr)) {
      throw failure::FileNotFound();
    }
    for (gchar** word = parsed; *word; ++word) command.emplace_back(*word);
    g_strfreev(parsed);
  }
  std::vector<char*> argv;
  for (std::string& word : command) argv.push_back(word.data());
  argv.push_back(nullptr);
  if (!g_spawn_async(nullptr, argv.data(), nullptr, G_SPAWN_SEARCH_PATH, nullptr, nullptr, nullptr,
                     nullptr)) {
    throw failure::FileNotFound();
  }
}

}  // namespace dorvane::linux_host
