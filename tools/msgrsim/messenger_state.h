// The messenger's world: the user's status, the contact list and the conversations, shared by
// the automation objects, the control commands and the windows on screen. One thread.
#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "call_log.h"

namespace msgrsim {

constexpr LONG kStatusOffline = 1;  // MISTATUS_OFFLINE: signed out
constexpr LONG kStatusOnline = 2;   // MISTATUS_ONLINE

struct Contact {
  std::wstring signinName;
  std::wstring friendlyName;
};

// Where a conversation window's Alt+T and close button go when its calls come from elsewhere
// than the scripts.
class ConversationOwner {
 public:
  virtual ~ConversationOwner() = default;
  virtual void AcceptKeys(HWND window) = 0;
  virtual void CloseAsked(HWND window) = 0;
};

struct Conversation {
  int number = 0;
  Contact contact;
  std::wstring text;
  bool invitation = false;  // a voice invitation, which Alt+T accepts
  bool accepted = false;
  bool closed = false;
  HWND window = nullptr;
};

class MessengerState {
 public:
  explicit MessengerState(CallLog& log) : log_(log) {}
  MessengerState(const MessengerState&) = delete;
  MessengerState& operator=(const MessengerState&) = delete;

  CallLog& Log() { return log_; }

  LONG Status() const { return status_; }
  void SetStatus(LONG status);
  const std::vector<Contact>& Contacts() const { return contacts_; }
  void SetContacts(std::vector<Contact> contacts);
  // Null when the name is not on the list.
  const Contact* FindContact(const std::wstring& signinName) const;

  // A Call's text comes whole from its owner, through ShowText.
  enum class Kind { OutgoingVoice, VoiceInvitation, Text, Call };
  // Opens a conversation window; OnIMWindowCreated follows once the caller has returned.
  Conversation& Open(const Contact& contact, Kind kind, const std::wstring& message = L"");
  // Null when there is no such conversation; number 0 is the latest one.
  Conversation* Find(int number);
  Conversation* FindByWindow(HWND window);
  void Append(Conversation& conversation, const std::wstring& line);
  void ShowText(Conversation& conversation, const std::wstring& text);
  // Closes the conversation's window; `by` names who did, for the log.
  void Close(Conversation& conversation, const char* by);
  // Alt+T reached the conversation's window.
  void AcceptKeys(Conversation& conversation);

  // Set by the program: redraws the status and contacts; sends OnIMWindowCreated later.
  std::function<void()> onChanged;
  std::function<void(int number)> onWindowOpened;
  // Not owned; null while the scripts run the conversations.
  ConversationOwner* owner = nullptr;

 private:
  void Changed();

  CallLog& log_;  // not owned
  LONG status_ = kStatusOnline;
  std::vector<Contact> contacts_;
  std::map<int, Conversation> conversations_;
};

}  // namespace msgrsim
