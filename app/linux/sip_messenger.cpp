#include "sip_messenger.h"

namespace dorvane::linux_host {

SipMessenger::SipMessenger(GtkDesktop& desktop, WindowCreated created, BaresipEndpoint endpoint)
    : desktop_(desktop),
      client_(
          std::move(endpoint), std::move(created),
          BaresipMessengerClient::WindowViews{
              [this](const std::string& title) { return Open(title); },
              [this](WindowHandle window, const std::string& history) { Show(window, history); },
              [this](WindowHandle window) { windows_.erase(window); }}) {}

WindowHandle SipMessenger::Open(const std::string& title) {
  // The handle is the desktop's, known only once the window exists.
  auto handle = std::make_shared<WindowHandle>(0);
  auto window = std::make_unique<ConversationWindow>(
      desktop_, title, [this, handle](const std::string& keys) { client_.KeysSent(*handle, keys); },
      [this, handle] {
        const WindowHandle closed = *handle;
        client_.WindowClosed(closed);
        windows_.erase(closed);
      });
  *handle = window->Handle();
  windows_[*handle] = std::move(window);
  return *handle;
}

void SipMessenger::Show(WindowHandle window, const std::string& history) {
  const auto found = windows_.find(window);
  if (found != windows_.end()) found->second->SetText(history);
}

}  // namespace dorvane::linux_host
