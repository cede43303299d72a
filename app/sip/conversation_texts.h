// The notices a messenger shows in a voice conversation, which the bridge searches for its
// accept key and its end phrases.
#pragma once

#include <string>

namespace dorvane::sip::texts {

std::string Invited(const std::string& name);
std::string Started();
std::string Invitation(const std::string& name, const std::string& address);
std::string Ended();
std::string Canceled(const std::string& name);

}  // namespace dorvane::sip::texts
