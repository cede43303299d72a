// baresip's human-readable answers (the contacts list, the user agents' registrations), read
// as text because its ctrl_tcp gives them as printed, colour escapes included.
#pragma once

#include <string>
#include <vector>

namespace dorvane::sip {

struct SipContact {
  std::string address;  // the SIP URI, as baresip's contacts file gives it
  std::string displayName;
};

// Terminal escapes and every other control character removed: the far end chooses display
// names, and the texts built from them are searched for phrases.
std::string Sanitized(const std::string& text);
std::vector<SipContact> ParseContacts(const std::string& contactsText);
// True when a user agent's account is registered or needs no registration.
bool HasUsableAgent(const std::string& reginfoText);
// The URI without its parameters and angle brackets, so "<sip:a@h;transport=udp>" is "sip:a@h".
std::string BareUri(const std::string& uri);

}  // namespace dorvane::sip
