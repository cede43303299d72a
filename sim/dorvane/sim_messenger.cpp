#include "sim_messenger.h"

#include "quoting.h"
#include "runtime_error.h"

namespace sim {
namespace {

constexpr int32_t kUnspecifiedError = -2147467259;  // E_FAIL
constexpr dorvane::WindowHandle kFirstWindow = 0x20000;

class ContactsObject : public dorvane::MessengerContacts {
 public:
  explicit ContactsObject(SimMessenger& messenger) : messenger_(messenger) {}
  int32_t Count() override { return static_cast<int32_t>(messenger_.Contacts().size()); }
  std::shared_ptr<dorvane::MessengerContact> Item(int32_t index) override {
    if (index < 0 || index >= Count()) throw dorvane::failure::InvalidProcedureCall();
    const auto& contact = messenger_.Contacts()[static_cast<size_t>(index)];
    return std::make_shared<dorvane::NamedContact>(contact.first, contact.second);
  }

 private:
  SimMessenger& messenger_;
};

class WindowObject : public dorvane::MessengerWindow {
 public:
  WindowObject(SimMessenger& messenger, int number, dorvane::WindowHandle hwnd)
      : messenger_(messenger), number_(number), hwnd_(hwnd) {}
  dorvane::WindowHandle HWND() override {
    messenger_.Check("HWND");
    return hwnd_;
  }
  bool IsClosed() override {
    messenger_.Check("IsClosed");
    return messenger_.IsClosed(number_);
  }
  void Close() override {
    messenger_.Check("Close");
    messenger_.Close(number_);
  }
  std::string History() override { return messenger_.History(number_); }

 private:
  SimMessenger& messenger_;
  int number_;
  dorvane::WindowHandle hwnd_;
};

class MessengerObject : public dorvane::Messenger {
 public:
  explicit MessengerObject(SimMessenger& messenger) : messenger_(messenger) {}
  int32_t MyStatus() override {
    messenger_.Check("MyStatus");
    return messenger_.Status();
  }
  void SetMyStatus(int32_t status) override {
    messenger_.Check("MyStatus");
    messenger_.SetStatusByProgram(status);
  }
  std::shared_ptr<dorvane::MessengerContact> GetContact(const std::string& signinName,
                                                        const std::string&) override {
    messenger_.Check("GetContact");
    return messenger_.ContactOf(signinName);
  }
  std::shared_ptr<dorvane::MessengerWindow> StartVoice(
      const std::shared_ptr<dorvane::MessengerContact>& contact) override {
    messenger_.Check("StartVoice");
    if (!contact) throw dorvane::failure::TypeMismatch();
    return messenger_.StartVoice(contact->SigninName());
  }
  std::shared_ptr<dorvane::MessengerContacts> MyContacts() override {
    messenger_.Check("MyContacts");
    return std::make_shared<ContactsObject>(messenger_);
  }

 private:
  SimMessenger& messenger_;
};

}  // namespace

void SimMessenger::AddContact(const std::string& signinName, const std::string& friendlyName) {
  contacts_.emplace_back(signinName, friendlyName);
}

void SimMessenger::Check(const std::string& member) {
  const auto failing = failing_.find(member);
  if (failing == failing_.end()) return;
  failing_.erase(failing);
  Fail(member);
}

void SimMessenger::Fail(const std::string& member) {
  const dorvane::RuntimeError failure(kUnspecifiedError, "Unspecified error");
  transcript_.Add("messenger", "error " + member + " " + std::to_string(failure.Number) + " " +
                                   Quote(failure.Description));
  throw failure;
}

std::shared_ptr<dorvane::Messenger> SimMessenger::CreateMessenger() {
  Check("create");
  transcript_.Add("messenger", "create");
  bound_ = true;
  return std::make_shared<MessengerObject>(*this);
}

void SimMessenger::SetStatusByProgram(int32_t status) {
  status_ = status;
  transcript_.Add("messenger", "MyStatus = " + std::to_string(status));
}

std::shared_ptr<dorvane::MessengerContact> SimMessenger::ContactOf(const std::string& signinName) {
  transcript_.Add("messenger", "GetContact " + Quote(signinName));
  std::string friendlyName = signinName;
  for (const auto& contact : contacts_) {
    if (contact.first == signinName) friendlyName = contact.second;
  }
  return std::make_shared<dorvane::NamedContact>(signinName, friendlyName);
}

Conversation& SimMessenger::Open(const std::string& text, bool invitation) {
  const int number = static_cast<int>(windows_.size()) + 1;
  Conversation& window = windows_[number];
  window.number = number;
  window.hwnd = kFirstWindow + 4 * static_cast<dorvane::WindowHandle>(number);
  window.text = text;
  window.invitation = invitation;
  transcript_.Add("messenger", "window " + std::to_string(number) + " created");
  if (bound_) {
    loop_.Post([this, number] {
      if (onWindowCreated_) onWindowCreated_(ObjectOf(number));
    });
  }
  return window;
}

std::shared_ptr<dorvane::MessengerWindow> SimMessenger::ObjectOf(int number) {
  return std::make_shared<WindowObject>(*this, number, windows_.at(number).hwnd);
}

std::shared_ptr<dorvane::MessengerWindow> SimMessenger::StartVoice(const std::string& signinName) {
  const int number = static_cast<int>(windows_.size()) + 1;
  transcript_.Add("messenger",
                  "StartVoice " + Quote(signinName) + " -> window " + std::to_string(number));
  Open("", false);
  return ObjectOf(number);
}

Conversation& SimMessenger::Incoming(const std::string& signinName) {
  return Open(signinName + " wants to talk to you. Press Alt+T to accept the invitation.", true);
}

Conversation& SimMessenger::Chat(const std::string&, const std::string& text) {
  return Open(text, false);
}

Conversation* SimMessenger::Window(int number) {
  const auto found = windows_.find(number);
  return found == windows_.end() ? nullptr : &found->second;
}

Conversation* SimMessenger::WindowOf(dorvane::WindowHandle hwnd) {
  for (auto& entry : windows_) {
    if (entry.second.hwnd == hwnd) return &entry.second;
  }
  return nullptr;
}

std::string SimMessenger::History(int number) {
  Check("History");
  const Conversation& window = windows_.at(number);
  if (window.unreadable) Fail("History");
  return window.text;
}

void SimMessenger::Close(int number) {
  transcript_.Add("messenger", "window " + std::to_string(number) + " Close");
  windows_.at(number).closed = true;
}

void SimMessenger::KeysReach(Conversation& window, const std::string& keys) {
  transcript_.Add("messenger", "window " + std::to_string(window.number) + " keys " + Quote(keys));
  if (keys == "%T" && window.invitation && !window.accepted) {
    window.accepted = true;
    transcript_.Add("messenger", "window " + std::to_string(window.number) + " accepted");
  }
}

}  // namespace sim
