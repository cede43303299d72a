// The messenger's automation objects as the core's ports: every member is called by name
// through the object's IDispatch, so an object in another process serves as well as one here.
#pragma once

#include <oaidl.h>

#include <memory>

#include "com_ptr.h"
#include "messenger.h"

namespace dorvane::win32 {

class MessengerEvents;

class ComMessengerContact : public MessengerContact {
 public:
  explicit ComMessengerContact(ComPtr<IDispatch> object) : object_(std::move(object)) {}
  std::string SigninName() override;
  std::string FriendlyName() override;
  IDispatch* Object() const { return object_.Get(); }

 private:
  ComPtr<IDispatch> object_;
};

class ComMessengerWindow : public MessengerWindow {
 public:
  explicit ComMessengerWindow(ComPtr<IDispatch> object) : object_(std::move(object)) {}
  WindowHandle HWND() override;
  bool IsClosed() override;
  void Close() override;
  std::string History() override;

 private:
  ComPtr<IDispatch> object_;
};

class ComMessengerContacts : public MessengerContacts {
 public:
  explicit ComMessengerContacts(ComPtr<IDispatch> object) : object_(std::move(object)) {}
  int32_t Count() override;
  std::shared_ptr<MessengerContact> Item(int32_t index) override;

 private:
  ComPtr<IDispatch> object_;
};

class ComMessenger : public Messenger {
 public:
  // `events` is the connection that brings OnIMWindowCreated; it ends with this object.
  ComMessenger(ComPtr<IDispatch> object, std::unique_ptr<MessengerEvents> events);
  ~ComMessenger() override;
  int32_t MyStatus() override;
  void SetMyStatus(int32_t status) override;
  std::shared_ptr<MessengerContact> GetContact(const std::string& signinName,
                                               const std::string& serviceId) override;
  std::shared_ptr<MessengerWindow> StartVoice(
      const std::shared_ptr<MessengerContact>& contact) override;
  std::shared_ptr<MessengerContacts> MyContacts() override;

 private:
  ComPtr<IDispatch> object_;
  std::unique_ptr<MessengerEvents> events_;
};

}  // namespace dorvane::win32
