#include "messenger_state.h"

#include "conversation_window.h"

namespace msgrsim {
namespace {

std::wstring OpeningText(const Contact& contact, MessengerState::Kind kind,
                         const std::wstring& message) {
  const std::wstring who = contact.friendlyName + L" (" + contact.signinName + L")";
  switch (kind) {
    case MessengerState::Kind::OutgoingVoice:
      return L"You have invited " + who + L" to a voice conversation. Waiting for an answer.";
    case MessengerState::Kind::VoiceInvitation:
      return who + L" would like to have a voice conversation with you. Press Alt+T to accept.";
    case MessengerState::Kind::Call:
      return L"";
    case MessengerState::Kind::Text:
      break;
  }
  return contact.friendlyName + L" says:\r\n" + message;
}

const char* KindName(MessengerState::Kind kind) {
  switch (kind) {
    case MessengerState::Kind::OutgoingVoice:
      return "voice call";
    case MessengerState::Kind::VoiceInvitation:
      return "voice invitation";
    case MessengerState::Kind::Call:
      return "call";
    case MessengerState::Kind::Text:
      break;
  }
  return "text conversation";
}

}  // namespace

void MessengerState::SetStatus(LONG status) {
  status_ = status;
  Changed();
}

void MessengerState::SetContacts(std::vector<Contact> contacts) {
  contacts_ = std::move(contacts);
  Changed();
}

const Contact* MessengerState::FindContact(const std::wstring& signinName) const {
  for (const Contact& contact : contacts_) {
    if (contact.signinName == signinName) return &contact;
  }
  return nullptr;
}

Conversation& MessengerState::Open(const Contact& contact, Kind kind, const std::wstring& message) {
  const int number = conversations_.empty() ? 1 : conversations_.rbegin()->first + 1;
  Conversation& conversation = conversations_[number];
  conversation.number = number;
  conversation.contact = contact;
  conversation.text = OpeningText(contact, kind, message);
  conversation.invitation = kind == Kind::VoiceInvitation;
  conversation.window = CreateConversationWindow(*this, conversation);
  log_.Line("window " + std::to_string(number) + " opened: " + KindName(kind) + " with " +
            Quoted(contact.signinName));
  if (onWindowOpened) onWindowOpened(number);
  return conversation;
}

Conversation* MessengerState::Find(int number) {
  if (number == 0 && !conversations_.empty()) return &conversations_.rbegin()->second;
  const auto found = conversations_.find(number);
  return found == conversations_.end() ? nullptr : &found->second;
}

Conversation* MessengerState::FindByWindow(HWND window) {
  for (auto& entry : conversations_) {
    if (entry.second.window == window) return &entry.second;
  }
  return nullptr;
}

void MessengerState::Append(Conversation& conversation, const std::wstring& line) {
  conversation.text += L"\r\n" + line;
  ShowConversationText(conversation);
  log_.Line("window " + std::to_string(conversation.number) + " text " + Quoted(line));
}

void MessengerState::ShowText(Conversation& conversation, const std::wstring& text) {
  // Only what is new goes to the log.
  const bool grown = text.compare(0, conversation.text.size(), conversation.text) == 0;
  std::wstring added = grown ? text.substr(conversation.text.size()) : text;
  if (grown && added.compare(0, 2, L"\r\n") == 0) added.erase(0, 2);
  conversation.text = text;
  ShowConversationText(conversation);
  log_.Line("window " + std::to_string(conversation.number) + " text " + Quoted(added));
}

void MessengerState::Close(Conversation& conversation, const char* by) {
  if (conversation.closed) return;
  conversation.closed = true;
  log_.Line("window " + std::to_string(conversation.number) + " closed by " + by);
  const HWND window = conversation.window;
  DestroyWindow(window);
}

void MessengerState::AcceptKeys(Conversation& conversation) {
  const std::string window = "window " + std::to_string(conversation.number);
  if (!conversation.invitation || conversation.accepted || conversation.closed) {
    log_.Line(window + " keys Alt+T ignored");
    return;
  }
  conversation.accepted = true;
  log_.Line(window + " keys Alt+T accepted");
  Append(conversation,
         L"You have accepted the invitation (Alt+T). The voice conversation has "
         L"started.");
}

void MessengerState::Changed() {
  if (onChanged) onChanged();
}

}  // namespace msgrsim
