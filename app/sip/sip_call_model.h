// baresip's calls as messenger conversations: the Messenger port on a running baresip,
// reached through its ctrl_tcp. One call at a time, as baresip is configured to take.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "baresip_text.h"
#include "ctrl_message.h"
#include "messenger.h"
#include "netstring_reader.h"
#include "sip_transport.h"

namespace dorvane::sip {

// Failures, numbered as the messenger's automation objects would fail.
constexpr int32_t kCannotCreateObject = 429;
constexpr int32_t kUserNotFound = static_cast<int32_t>(0x8100030Au);
constexpr int32_t kDisconnected = static_cast<int32_t>(0x80010108u);    // RPC_E_DISCONNECTED
constexpr int32_t kNoAnswer = static_cast<int32_t>(0x8001011Fu);        // RPC_E_TIMEOUT
constexpr int32_t kCallInProgress = static_cast<int32_t>(0x80004005u);  // E_FAIL
constexpr int32_t kStatusOnline = 2;
constexpr int kAnswerTimeoutMs = 5000;

class SipCallModel : public MessengerClient {
 public:
  using WindowCreated = std::function<void(std::shared_ptr<MessengerWindow>)>;

  enum class Phase { Dialling, Ringing, Talking, Ended };
  struct Conversation {
    int number = 0;
    WindowHandle hwnd = 0;
    bool outgoing = false;
    Phase phase = Phase::Dialling;
    bool accepted = false;
    bool closed = false;
    std::string callId;  // empty until baresip names the dialled call
    std::string peer;    // bare URI
    std::string name;
    std::string history;
  };

  // transport and desk are not owned.
  SipCallModel(SipTransport& transport, ConversationDesk& desk)
      : transport_(transport), desk_(desk) {}

  void SetOnWindowCreated(WindowCreated handler) { onWindowCreated_ = std::move(handler); }

  std::shared_ptr<Messenger> CreateMessenger() override;

  // From the platform's event loop.
  void BytesArrived(const std::string& bytes);
  void ConnectionDropped();
  // Keys sent to the window in front; Alt+T accepts a ringing invitation there.
  void KeysSent(WindowHandle foreground, const std::string& keys);
  // The user closed a conversation window.
  void WindowClosed(WindowHandle window);

  // For the automation objects.
  int32_t Status();
  void SetStatus(int32_t status) { statusWritten_ = status; }
  std::vector<SipContact> Contacts();
  // Null when the address is no contact.
  std::unique_ptr<SipContact> FindContact(const std::string& address);
  int StartVoice(const std::string& address, const std::string& name);
  const Conversation& ConversationOf(int number) const { return conversations_.at(number); }
  void Close(int number);
  bool Dropped() const { return dropped_; }

 private:
  CtrlResponse Request(const std::string& command, const std::string& params);
  void Handle(const std::string& payload);
  void HandleEvent(const CtrlEvent& event);
  void Feed(const std::string& bytes);
  void Drop();
  void CheckConnected();
  Conversation& Open(bool outgoing, const std::string& peer, const std::string& name);
  void Append(Conversation& conversation, const std::string& line);
  void End(Conversation& conversation, const std::string& line);
  Conversation* Live();
  Conversation* ByCallId(const std::string& id);
  std::shared_ptr<MessengerWindow> WindowObject(int number);

  SipTransport& transport_;  // not owned
  ConversationDesk& desk_;   // not owned
  WindowCreated onWindowCreated_;
  NetstringReader reader_;
  bool connected_ = false;
  bool dropped_ = false;
  int32_t statusWritten_ = 0;  // 0 until the program writes one
  int nextToken_ = 1;
  std::string awaitedToken_;
  std::unique_ptr<CtrlResponse> awaitedResponse_;
  std::map<int, Conversation> conversations_;
  std::vector<SipContact> knownContacts_;  // as the last contacts answer gave them
};

}  // namespace dorvane::sip
