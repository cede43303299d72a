// A messenger inside the test program: two contacts, voice conversations in windows of their
// own, an invitation from Bob on SIGUSR1, and the far end of the latest conversation hanging up
// on SIGUSR2. Everything it is asked to do is printed on
// standard output, one line each, for the tests to wait on.
#pragma once

#include <memory>
#include <vector>

#include "conversation_window.h"
#include "messenger.h"
#include "run_program.h"

namespace dorvane::linux_host {

class LoopbackMessengerClient : public MessengerClient {
 public:
  LoopbackMessengerClient(GtkDesktop& desktop, WindowCreated created);
  ~LoopbackMessengerClient() override;
  std::shared_ptr<Messenger> CreateMessenger() override;

 private:
  class Window;
  class Client;
  std::shared_ptr<Client> client_;
  unsigned invitationSource_ = 0;
  unsigned hangUpSource_ = 0;
};

}  // namespace dorvane::linux_host
