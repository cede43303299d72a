#include "sip_call_model.h"

#include <cctype>

#include "conversation_texts.h"
#include "runtime_error.h"
#include "sip_messenger_objects.h"

namespace dorvane::sip {
namespace {

const char kAcceptKeys[] = "%T";
const char kDisconnectedText[] = "The object invoked has disconnected from its clients.";

bool SameKeys(const std::string& keys, const char* expected) {
  if (keys.size() != std::char_traits<char>::length(expected)) return false;
  for (size_t at = 0; at < keys.size(); ++at) {
    if (std::toupper(static_cast<unsigned char>(keys[at])) != expected[at]) return false;
  }
  return true;
}

}  // namespace

std::shared_ptr<Messenger> SipCallModel::CreateMessenger() {
  if (!connected_ || dropped_) {
    if (!transport_.Connect()) {
      throw RuntimeError(kCannotCreateObject, "ActiveX component can't create object");
    }
    connected_ = true;
    dropped_ = false;
    reader_ = NetstringReader();
    // Known from the start, so an invitation shows the caller's name from the contacts file.
    Contacts();
  }
  return NewSipMessenger(*this);
}

void SipCallModel::CheckConnected() {
  if (dropped_ || !connected_) throw RuntimeError(kDisconnected, kDisconnectedText);
}

CtrlResponse SipCallModel::Request(const std::string& command, const std::string& params) {
  CheckConnected();
  awaitedToken_ = std::to_string(nextToken_++);
  awaitedResponse_.reset();
  if (!transport_.Send(Netstring(CtrlCommand(command, params, awaitedToken_)))) Drop();
  // Events that come before the answer are handled on the way, as they would be later; a
  // stream of them does not stretch the time the answer may take.
  const int64_t deadline = transport_.MonotonicMs() + kAnswerTimeoutMs;
  for (;;) {
    const int64_t leftMs = deadline - transport_.MonotonicMs();
    if (awaitedResponse_ || dropped_ || leftMs <= 0) break;
    bool gone = false;
    const std::string bytes = transport_.Receive(static_cast<int>(leftMs), gone);
    if (!bytes.empty()) Feed(bytes);
    if (gone) Drop();
  }
  awaitedToken_.clear();
  CheckConnected();
  if (!awaitedResponse_) {
    throw RuntimeError(kNoAnswer, "This operation returned because the timeout period expired.");
  }
  return *awaitedResponse_;
}

void SipCallModel::BytesArrived(const std::string& bytes) {
  if (!dropped_) Feed(bytes);
}

void SipCallModel::ConnectionDropped() { Drop(); }

void SipCallModel::Feed(const std::string& bytes) {
  if (!reader_.Feed(bytes, [this](const std::string& payload) { Handle(payload); })) {
    // Nothing after a broken netstring can be trusted to start a message.
    transport_.Close();
    Drop();
  }
}

void SipCallModel::Drop() {
  if (dropped_) return;
  dropped_ = true;
  for (auto& entry : conversations_) {
    if (entry.second.phase != Phase::Ended) End(entry.second, texts::Ended());
  }
}

void SipCallModel::Handle(const std::string& payload) {
  const CtrlMessage message = ParseCtrlMessage(payload);
  if (const auto* response = std::get_if<CtrlResponse>(&message)) {
    if (!awaitedToken_.empty() && response->token == awaitedToken_) {
      awaitedResponse_ = std::make_unique<CtrlResponse>(*response);
    }
  } else if (const auto* event = std::get_if<CtrlEvent>(&message)) {
    HandleEvent(*event);
  }
}

void SipCallModel::HandleEvent(const CtrlEvent& event) {
  if (event.id.empty()) return;
  const std::string peer = BareUri(event.peerUri);
  Conversation* conversation = ByCallId(event.id);
  if (!conversation && event.direction == "outgoing") {
    // A dialled call is named by its first event that carries an id.
    for (auto& entry : conversations_) {
      Conversation& dialled = entry.second;
      if (dialled.outgoing && dialled.callId.empty() && dialled.phase == Phase::Dialling &&
          dialled.peer == peer) {
        dialled.callId = event.id;
        conversation = &dialled;
        break;
      }
    }
  }
  if (!conversation && event.type == "CALL_INCOMING" && event.direction == "incoming") {
    // A second call while one runs is left to baresip, which refuses it.
    if (Live() || peer.empty()) return;
    std::string name = Sanitized(event.peerDisplayName);
    for (const SipContact& contact : knownContacts_) {
      if (BareUri(contact.address) == peer && !contact.displayName.empty()) {
        name = Sanitized(contact.displayName);
      }
    }
    if (name.empty()) name = Sanitized(peer);
    Conversation& invitation = Open(false, peer, name);
    invitation.callId = event.id;
    invitation.phase = Phase::Ringing;
    Append(invitation, texts::Invitation(name, Sanitized(peer)));
    return;
  }
  if (!conversation || conversation->phase == Phase::Ended) return;
  if (event.type == "CALL_ESTABLISHED") {
    if (conversation->phase != Phase::Talking) {
      conversation->phase = Phase::Talking;
      Append(*conversation, texts::Started());
    }
  } else if (event.type == "CALL_CLOSED") {
    const bool gaveUp = conversation->phase == Phase::Ringing && !conversation->accepted;
    End(*conversation, gaveUp ? texts::Canceled(conversation->name) : texts::Ended());
  }
}

void SipCallModel::KeysSent(WindowHandle foreground, const std::string& keys) {
  if (!SameKeys(keys, kAcceptKeys) || dropped_) return;
  for (auto& entry : conversations_) {
    Conversation& conversation = entry.second;
    if (conversation.hwnd != foreground) continue;
    if (conversation.phase == Phase::Ringing && !conversation.accepted && !conversation.closed) {
      conversation.accepted = true;
      if (!transport_.Send(Netstring(CtrlCommand("accept", "", "accept")))) Drop();
    }
    return;
  }
}

void SipCallModel::WindowClosed(WindowHandle window) {
  for (auto& entry : conversations_) {
    if (entry.second.hwnd == window) Close(entry.first);
  }
}

int32_t SipCallModel::Status() {
  if (!HasUsableAgent(Request("reginfo", "").data)) return kStatusOffline;
  return statusWritten_ != 0 ? statusWritten_ : kStatusOnline;
}

std::vector<SipContact> SipCallModel::Contacts() {
  knownContacts_ = ParseContacts(Request("contacts", "").data);
  return knownContacts_;
}

std::unique_ptr<SipContact> SipCallModel::FindContact(const std::string& address) {
  for (SipContact& contact : Contacts()) {
    if (contact.address == address) return std::make_unique<SipContact>(contact);
  }
  return nullptr;
}

int SipCallModel::StartVoice(const std::string& address, const std::string& name) {
  CheckConnected();
  if (Live()) throw RuntimeError(kCallInProgress, "A voice conversation is already in progress.");
  std::string shown = Sanitized(name);
  if (shown.empty()) shown = Sanitized(address);
  Conversation& call = Open(true, BareUri(address), shown);
  const int number = call.number;
  Append(call, texts::Invited(shown));
  bool refused = false;
  try {
    refused = !Request("dial", address).ok;
  } catch (const RuntimeError&) {
    refused = true;
  }
  // A call that could not be placed shows its end, so the supervision hangs the handset up.
  Conversation& placed = conversations_.at(number);
  if (refused && placed.phase != Phase::Ended) End(placed, texts::Ended());
  return number;
}

void SipCallModel::Close(int number) {
  Conversation& conversation = conversations_.at(number);
  if (conversation.closed) return;
  conversation.closed = true;
  if (conversation.phase != Phase::Ended && !dropped_) {
    conversation.phase = Phase::Ended;
    if (!transport_.Send(Netstring(CtrlCommand("hangup", "", "hangup")))) Drop();
  }
  desk_.CloseWindow(conversation.hwnd);
}

SipCallModel::Conversation& SipCallModel::Open(bool outgoing, const std::string& peer,
                                               const std::string& name) {
  const int number = static_cast<int>(conversations_.size()) + 1;
  Conversation& conversation = conversations_[number];
  conversation.number = number;
  conversation.outgoing = outgoing;
  conversation.peer = peer;
  conversation.name = name;
  conversation.hwnd = desk_.OpenWindow(name);
  desk_.Post([this, number] {
    if (onWindowCreated_) onWindowCreated_(NewSipWindow(*this, number));
  });
  return conversation;
}

void SipCallModel::Append(Conversation& conversation, const std::string& line) {
  if (!conversation.history.empty()) conversation.history += "\r\n";
  conversation.history += line;
  desk_.ShowText(conversation.hwnd, conversation.history);
}

void SipCallModel::End(Conversation& conversation, const std::string& line) {
  conversation.phase = Phase::Ended;
  Append(conversation, line);
}

SipCallModel::Conversation* SipCallModel::Live() {
  for (auto& entry : conversations_) {
    if (entry.second.phase != Phase::Ended) return &entry.second;
  }
  return nullptr;
}

SipCallModel::Conversation* SipCallModel::ByCallId(const std::string& id) {
  for (auto& entry : conversations_) {
    if (entry.second.callId == id) return &entry.second;
  }
  return nullptr;
}

}  // namespace dorvane::sip
