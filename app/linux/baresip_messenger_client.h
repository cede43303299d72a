// The Linux program's messenger: the SIP call model over a connection to baresip, its events
// delivered on the GLib main loop.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "baresip_connection.h"
#include "messenger.h"
#include "sip_call_model.h"

namespace dorvane::linux_host {

class BaresipMessengerClient : public MessengerClient, private sip::ConversationDesk {
 public:
  using WindowCreated = std::function<void(std::shared_ptr<MessengerWindow>)>;
  // How the runtime shows conversation windows; without them a window is a handle only.
  struct WindowViews {
    std::function<WindowHandle(const std::string& title)> open;
    std::function<void(WindowHandle, const std::string& history)> show;
    std::function<void(WindowHandle)> close;
  };

  BaresipMessengerClient(BaresipEndpoint endpoint, WindowCreated created, WindowViews views = {},
                         int connectWaitMs = 10000);

  std::shared_ptr<Messenger> CreateMessenger() override { return model_.CreateMessenger(); }
  // From the runtime: keys sent to the window in front, a window the user closed.
  void KeysSent(WindowHandle foreground, const std::string& keys) {
    model_.KeysSent(foreground, keys);
  }
  void WindowClosed(WindowHandle window) { model_.WindowClosed(window); }
  bool Dropped() const { return model_.Dropped(); }

 private:
  WindowHandle OpenWindow(const std::string& title) override;
  void ShowText(WindowHandle window, const std::string& history) override;
  void CloseWindow(WindowHandle window) override;
  void Post(std::function<void()> task) override;

  std::shared_ptr<int> lifetime_ = std::make_shared<int>(0);
  WindowViews views_;
  WindowHandle nextHandle_ = 0x10000;
  BaresipConnection connection_;
  sip::SipCallModel model_;
};

}  // namespace dorvane::linux_host
