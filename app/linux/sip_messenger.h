// The shipped program's messenger: calls through a running baresip, each conversation in a
// window of its own that shows its text and takes the keys sent to it while in front.
#pragma once

#include <map>
#include <memory>

#include "baresip_messenger_client.h"
#include "conversation_window.h"
#include "run_program.h"

namespace dorvane::linux_host {

class SipMessenger : public MessengerClient {
 public:
  // desktop is not owned and must outlive the messenger.
  SipMessenger(GtkDesktop& desktop, WindowCreated created, BaresipEndpoint endpoint);

  std::shared_ptr<Messenger> CreateMessenger() override { return client_.CreateMessenger(); }

 private:
  WindowHandle Open(const std::string& title);
  void Show(WindowHandle window, const std::string& history);

  GtkDesktop& desktop_;  // not owned
  std::map<WindowHandle, std::unique_ptr<ConversationWindow>> windows_;
  BaresipMessengerClient client_;  // after the windows, whose callbacks it serves
};

}  // namespace dorvane::linux_host
