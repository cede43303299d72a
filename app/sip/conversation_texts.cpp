#include "conversation_texts.h"

namespace dorvane::sip::texts {

std::string Invited(const std::string& name) {
  return "You have invited " + name + " to a voice conversation. Waiting for an answer.";
}

std::string Started() { return "The voice conversation has started."; }

std::string Invitation(const std::string& name, const std::string& address) {
  return name + " (" + address +
         ") would like to have a voice conversation with you. Press Alt+T to accept.";
}

std::string Ended() { return "The voice conversation has ended."; }

std::string Canceled(const std::string& name) { return name + " has canceled the invitation."; }

}  // namespace dorvane::sip::texts
