// msgrsim's world taken from a running baresip: the call model over a Winsock connection, its
// conversations shown in msgrsim's own windows, its Messenger objects served to clients.
#pragma once

#include <winsock2.h>

#include <deque>
#include <functional>
#include <memory>
#include <string>

#include "messenger.h"
#include "messenger_state.h"
#include "sip_call_model.h"
#include "winsock_connection.h"

namespace msgrsim {

class SipBackend : public ConversationOwner, private dorvane::sip::ConversationDesk {
 public:
  // state is not owned and outlives the backend.
  SipBackend(MessengerState& state, Endpoint endpoint);
  ~SipBackend() override;
  SipBackend(const SipBackend&) = delete;
  SipBackend& operator=(const SipBackend&) = delete;

  // Connects within the wait and reads the contacts; false with the reason when it cannot.
  bool Start(std::wstring& failure);
  // The class object's answer: a new Messenger object, reconnecting after a drop.
  HRESULT CreateInstance(REFIID iid, void** object);

  void AcceptKeys(HWND window) override;
  void CloseAsked(HWND window) override;

 private:
  dorvane::WindowHandle OpenWindow(const std::string& title) override;
  void ShowText(dorvane::WindowHandle window, const std::string& history) override;
  void CloseWindow(dorvane::WindowHandle window) override;
  void Post(std::function<void()> task) override;

  static LRESULT CALLBACK NoticeProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void WindowCreated(std::shared_ptr<dorvane::MessengerWindow> window);
  void ShowWorld();

  MessengerState& state_;  // not owned
  HWND notices_;           // a message-only window: the socket's notices and posted tasks
  std::deque<std::function<void()>> tasks_;
  WinsockConnection connection_;
  dorvane::sip::SipCallModel model_;
};

}  // namespace msgrsim
