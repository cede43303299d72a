// A conversation's own small window: it shows the conversation's text so that the user sees
// what the bridge is doing, and it is the window the shell calls bring to the front and send
// keys to.
#pragma once

#include <functional>
#include <string>

#include "gtk_desktop.h"

typedef struct _GtkWidget GtkWidget;

namespace dorvane::linux_host {

class ConversationWindow {
 public:
  // desktop is not owned and must outlive the window. onKeys gets the keys sent while the
  // window is in front; onClosed runs when the user closes it.
  ConversationWindow(GtkDesktop& desktop, const std::string& title, KeysHandler onKeys,
                     std::function<void()> onClosed);
  ~ConversationWindow();
  ConversationWindow(const ConversationWindow&) = delete;
  ConversationWindow& operator=(const ConversationWindow&) = delete;

  WindowHandle Handle() const { return handle_; }
  bool IsClosed() const { return window_ == nullptr; }
  const std::string& Text() const { return text_; }
  void AppendLine(const std::string& line);
  void SetText(const std::string& text);
  void Close();

 private:
  GtkDesktop& desktop_;  // not owned
  std::function<void()> onClosed_;
  GtkWidget* window_ = nullptr;
  GtkWidget* view_ = nullptr;
  WindowHandle handle_ = 0;
  std::string text_;
};

}  // namespace dorvane::linux_host
