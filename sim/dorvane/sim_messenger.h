// The messenger client: the user's status, the contact list, conversation windows and the
// event that announces each new window, posted so that it runs after the handler that made it.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "event_loop.h"
#include "messenger.h"
#include "transcript.h"

namespace sim {

struct Conversation {
  int number = 0;
  dorvane::WindowHandle hwnd = 0;
  std::string text;
  bool invitation = false;  // a voice invitation that Alt+T accepts
  bool accepted = false;
  bool closed = false;
  bool unreadable = false;
  bool refusesFront = false;
  bool losesFront = false;  // comes to the front, and another program's window at once after it
};

class SimMessenger : public dorvane::MessengerClient {
 public:
  using WindowCreated = std::function<void(std::shared_ptr<dorvane::MessengerWindow>)>;

  // loop and transcript are not owned.
  SimMessenger(EventLoop& loop, Transcript& transcript) : loop_(loop), transcript_(transcript) {}

  // Where OnIMWindowCreated goes once an automation object exists.
  void SetOnWindowCreated(WindowCreated handler) { onWindowCreated_ = std::move(handler); }

  // The world.
  void SetStatus(int32_t status) { status_ = status; }
  void AddContact(const std::string& signinName, const std::string& friendlyName);
  void FailNext(const std::string& member) { failing_.insert(member); }
  Conversation& Incoming(const std::string& signinName);
  Conversation& Chat(const std::string& signinName, const std::string& text);
  // Null when there is no such window.
  Conversation* Window(int number);
  Conversation* WindowOf(dorvane::WindowHandle hwnd);
  // Alt+T reaching a window in front.
  void KeysReach(Conversation& window, const std::string& keys);

  std::shared_ptr<dorvane::Messenger> CreateMessenger() override;

  // For the automation objects.
  void Check(const std::string& member);
  int32_t Status() const { return status_; }
  void SetStatusByProgram(int32_t status);
  std::shared_ptr<dorvane::MessengerContact> ContactOf(const std::string& signinName);
  std::shared_ptr<dorvane::MessengerWindow> StartVoice(const std::string& signinName);
  const std::vector<std::pair<std::string, std::string>>& Contacts() const { return contacts_; }
  std::string History(int number);
  bool IsClosed(int number) { return windows_.at(number).closed; }
  void Close(int number);

 private:
  Conversation& Open(const std::string& text, bool invitation);
  [[noreturn]] void Fail(const std::string& member);
  std::shared_ptr<dorvane::MessengerWindow> ObjectOf(int number);

  EventLoop& loop_;         // not owned
  Transcript& transcript_;  // not owned
  WindowCreated onWindowCreated_;
  bool bound_ = false;
  int32_t status_ = 2;
  std::vector<std::pair<std::string, std::string>> contacts_;
  std::multiset<std::string> failing_;
  std::map<int, Conversation> windows_;
};

}  // namespace sim
