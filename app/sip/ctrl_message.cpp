#include "ctrl_message.h"

#include <nlohmann/json.hpp>

namespace dorvane::sip {
namespace {

using nlohmann::json;

// Members of the wrong type read as empty: a peer's fields are not to be trusted.
std::string Text(const json& object, const char* name) {
  const auto found = object.find(name);
  if (found == object.end() || !found->is_string()) return {};
  return found->get<std::string>();
}

bool Flag(const json& object, const char* name) {
  const auto found = object.find(name);
  return found != object.end() && found->is_boolean() && found->get<bool>();
}

}  // namespace

CtrlMessage ParseCtrlMessage(const std::string& payload) {
  const json message = json::parse(payload, nullptr, false);
  if (!message.is_object()) return {};
  if (Flag(message, "response")) {
    return CtrlResponse{Flag(message, "ok"), Text(message, "data"), Text(message, "token")};
  }
  if (Flag(message, "event")) {
    return CtrlEvent{Text(message, "class"),
                     Text(message, "type"),
                     Text(message, "direction"),
                     Text(message, "peeruri"),
                     Text(message, "peerdisplayname"),
                     Text(message, "id"),
                     Text(message, "param")};
  }
  return {};
}

std::string CtrlCommand(const std::string& command, const std::string& params,
                        const std::string& token) {
  json message = {{"command", command}, {"token", token}};
  if (!params.empty()) message["params"] = params;
  // Invalid UTF-8 from a contacts file is replaced rather than thrown about.
  return message.dump(-1, ' ', false, json::error_handler_t::replace);
}

}  // namespace dorvane::sip
