// Port: the messenger client's automation objects, as the bridge uses them. Every member may
// fail with the client's HRESULT as a RuntimeError. Objects are shared references: assigning
// another one releases the previous.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <utility>

namespace dorvane {

using WindowHandle = uintptr_t;

constexpr int32_t kStatusOffline = 1;      // MISTATUS_OFFLINE
constexpr int32_t kStatusAway = 34;        // MISTATUS_AWAY
constexpr int32_t kStatusOnThePhone = 50;  // MISTATUS_ON_THE_PHONE

class MessengerContact {
 public:
  virtual ~MessengerContact() = default;
  virtual std::string SigninName() = 0;
  virtual std::string FriendlyName() = 0;
};

// A contact whose names are already known, as a contact list or a caller's argument gives them.
class NamedContact : public MessengerContact {
 public:
  NamedContact(std::string signinName, std::string friendlyName)
      : signinName_(std::move(signinName)), friendlyName_(std::move(friendlyName)) {}
  std::string SigninName() override { return signinName_; }
  std::string FriendlyName() override { return friendlyName_; }

 private:
  std::string signinName_;
  std::string friendlyName_;
};

class MessengerWindow {
 public:
  virtual ~MessengerWindow() = default;
  virtual WindowHandle HWND() = 0;
  virtual bool IsClosed() = 0;
  virtual void Close() = 0;
  // The conversation text as displayed, the client's own notices included.
  virtual std::string History() = 0;
};

class MessengerContacts {
 public:
  virtual ~MessengerContacts() = default;
  virtual int32_t Count() = 0;
  // Zero-based, as the collection's default member takes it.
  virtual std::shared_ptr<MessengerContact> Item(int32_t index) = 0;
};

class Messenger {
 public:
  virtual ~Messenger() = default;
  virtual int32_t MyStatus() = 0;
  virtual void SetMyStatus(int32_t status) = 0;
  virtual std::shared_ptr<MessengerContact> GetContact(const std::string& signinName,
                                                       const std::string& serviceId) = 0;
  virtual std::shared_ptr<MessengerWindow> StartVoice(
      const std::shared_ptr<MessengerContact>& contact) = 0;
  virtual std::shared_ptr<MessengerContacts> MyContacts() = 0;
};

// Creates the automation object attached to the running client. Its OnIMWindowCreated events
// reach Dorvane_frm::MsgrUIA_OnIMWindowCreated from then on, each after the call that created
// the window has returned.
class MessengerClient {
 public:
  virtual ~MessengerClient() = default;
  virtual std::shared_ptr<Messenger> CreateMessenger() = 0;
};

}  // namespace dorvane
