#include "loopback_messenger.h"

#include <glib-unix.h>

#include <csignal>
#include <cstdio>
#include <string>

namespace dorvane::linux_host {
namespace {

void Say(const std::string& line) {
  std::printf("messenger %s\n", line.c_str());
  std::fflush(stdout);
}

class Contact : public MessengerContact {
 public:
  explicit Contact(std::string signin) : signin_(std::move(signin)) {}
  std::string SigninName() override { return signin_; }
  std::string FriendlyName() override { return signin_.substr(0, signin_.find('@')); }

 private:
  std::string signin_;
};

class Contacts : public MessengerContacts {
 public:
  int32_t Count() override { return 2; }
  std::shared_ptr<MessengerContact> Item(int32_t index) override {
    return std::make_shared<Contact>(index == 0 ? "alice@example.com" : "bob@example.com");
  }
};

}  // namespace

class LoopbackMessengerClient::Window : public MessengerWindow {
 public:
  Window(GtkDesktop& desktop, const std::string& peer)
      : window_(
            desktop, peer,
            [peer, this](const std::string& keys) {
              Say("keys " + keys + " to " + peer);
              if (keys == "%T") window_.AppendLine("You have accepted the voice conversation.");
            },
            [peer] { Say("window closed by the user: " + peer); }) {}
  WindowHandle HWND() override { return window_.Handle(); }
  bool IsClosed() override { return window_.IsClosed(); }
  void Close() override { window_.Close(); }
  std::string History() override { return window_.Text(); }
  ConversationWindow& View() { return window_; }

 private:
  ConversationWindow window_;
};

class LoopbackMessengerClient::Client : public Messenger {
 public:
  explicit Client(GtkDesktop& desktop) : desktop_(desktop) {}
  int32_t MyStatus() override { return status_; }
  void SetMyStatus(int32_t status) override {
    status_ = status;
    Say("MyStatus = " + std::to_string(status));
  }
  std::shared_ptr<MessengerContact> GetContact(const std::string& signinName,
                                               const std::string&) override {
    return std::make_shared<Contact>(signinName);
  }
  std::shared_ptr<MessengerWindow> StartVoice(
      const std::shared_ptr<MessengerContact>& contact) override {
    Say("StartVoice " + contact->SigninName());
    auto window = std::make_shared<Window>(desktop_, contact->SigninName());
    window->View().AppendLine("Calling " + contact->SigninName() + "...");
    windows_.push_back(window);
    return window;
  }
  std::shared_ptr<MessengerContacts> MyContacts() override { return std::make_shared<Contacts>(); }

  void FarEndHangsUp() {
    if (windows_.empty()) return;
    Say("the far end hangs up");
    windows_.back()->View().AppendLine("The voice conversation has ended.");
  }

  std::shared_ptr<Window> Invitation() {
    auto window = std::make_shared<Window>(desktop_, "bob@example.com");
    window->View().AppendLine(
        "bob@example.com would like to have a voice conversation with you. Accept (Alt+T) or "
        "Decline (Alt+D).");
    windows_.push_back(window);
    return window;
  }

 private:
  GtkDesktop& desktop_;
  int32_t status_ = 2;  // online
  std::vector<std::shared_ptr<Window>> windows_;
};

LoopbackMessengerClient::LoopbackMessengerClient(GtkDesktop& desktop, WindowCreated created)
    : client_(std::make_shared<Client>(desktop)) {
  struct Invite {
    std::shared_ptr<Client> client;
    WindowCreated created;
  };
  invitationSource_ = g_unix_signal_add_full(
      G_PRIORITY_DEFAULT, SIGUSR1,
      [](gpointer data) -> gboolean {
        auto* invite = static_cast<Invite*>(data);
        Say("invitation from bob@example.com");
        invite->created(invite->client->Invitation());
        return G_SOURCE_CONTINUE;
      },
      new Invite{client_, std::move(created)},
      [](gpointer data) { delete static_cast<Invite*>(data); });
  hangUpSource_ = g_unix_signal_add(
      SIGUSR2,
      [](gpointer client) -> gboolean {
        static_cast<Client*>(client)->FarEndHangsUp();
        return G_SOURCE_CONTINUE;
      },
      client_.get());
}

LoopbackMessengerClient::~LoopbackMessengerClient() {
  g_source_remove(invitationSource_);
  g_source_remove(hangUpSource_);
}

std::shared_ptr<Messenger> LoopbackMessengerClient::CreateMessenger() {
  Say("created");
  return client_;
}

}  // namespace dorvane::linux_host
