// The JSON messages of baresip's ctrl_tcp: commands out, responses and events in.
#pragma once

#include <string>
#include <variant>

namespace dorvane::sip {

struct CtrlResponse {
  bool ok = false;
  std::string data;
  std::string token;
};

struct CtrlEvent {
  std::string eventClass;  // "call", "register", "other", ...
  std::string type;        // "CALL_INCOMING", "CALL_CLOSED", ...
  std::string direction;   // "incoming" or "outgoing"
  std::string peerUri;
  std::string peerDisplayName;
  std::string id;  // empty on the first events of a dialled call
  std::string param;
};

// monostate: not JSON, or JSON that is neither a response nor an event.
using CtrlMessage = std::variant<std::monostate, CtrlResponse, CtrlEvent>;

CtrlMessage ParseCtrlMessage(const std::string& payload);
// The netstring payload of a command; params is left out when empty.
std::string CtrlCommand(const std::string& command, const std::string& params,
                        const std::string& token);

}  // namespace dorvane::sip
