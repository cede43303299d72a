#include "sip_messenger_objects.h"

#include "runtime_error.h"
#include "sip_call_model.h"

namespace dorvane::sip {
namespace {

std::shared_ptr<MessengerContact> ContactOf(const SipContact& contact) {
  return std::make_shared<NamedContact>(contact.address, contact.displayName);
}

class ContactsObject : public MessengerContacts {
 public:
  explicit ContactsObject(std::vector<SipContact> contacts) : contacts_(std::move(contacts)) {}
  int32_t Count() override { return static_cast<int32_t>(contacts_.size()); }
  std::shared_ptr<MessengerContact> Item(int32_t index) override {
    if (index < 0 || index >= Count()) throw failure::InvalidProcedureCall();
    return ContactOf(contacts_[static_cast<size_t>(index)]);
  }

 private:
  std::vector<SipContact> contacts_;
};

class WindowObject : public MessengerWindow {
 public:
  WindowObject(SipCallModel& model, int number) : model_(model), number_(number) {}
  WindowHandle HWND() override { return model_.ConversationOf(number_).hwnd; }
  bool IsClosed() override { return model_.ConversationOf(number_).closed; }
  void Close() override { model_.Close(number_); }
  std::string History() override { return model_.ConversationOf(number_).history; }

 private:
  SipCallModel& model_;  // not owned
  int number_;
};

class MessengerObject : public Messenger {
 public:
  explicit MessengerObject(SipCallModel& model) : model_(model) {}
  int32_t MyStatus() override { return model_.Status(); }
  void SetMyStatus(int32_t status) override { model_.SetStatus(status); }
  std::shared_ptr<MessengerContact> GetContact(const std::string& signinName,
                                               const std::string&) override {
    std::unique_ptr<SipContact> found = model_.FindContact(signinName);
    if (!found) {
      throw RuntimeError(kUserNotFound, "The user " + signinName + " is not in the contact list.");
    }
    return ContactOf(*found);
  }
  std::shared_ptr<MessengerWindow> StartVoice(
      const std::shared_ptr<MessengerContact>& contact) override {
    if (!contact) throw failure::TypeMismatch();
    return NewSipWindow(model_, model_.StartVoice(contact->SigninName(), contact->FriendlyName()));
  }
  std::shared_ptr<MessengerContacts> MyContacts() override {
    return std::make_shared<ContactsObject>(model_.Contacts());
  }

 private:
  SipCallModel& model_;  // not owned
};

}  // namespace

std::shared_ptr<Messenger> NewSipMessenger(SipCallModel& model) {
  return std::make_shared<MessengerObject>(model);
}

std::shared_ptr<MessengerWindow> NewSipWindow(SipCallModel& model, int number) {
  return std::make_shared<WindowObject>(model, number);
}

}  // namespace dorvane::sip
