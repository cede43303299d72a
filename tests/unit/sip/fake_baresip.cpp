#include "fake_baresip.h"

#include <fstream>
#include <iterator>
#include <nlohmann/json.hpp>
#include <stdexcept>

#include "ctrl_message.h"
#include "netstring_reader.h"

namespace sip_test {

using dorvane::sip::Netstring;

std::string RecordedBytes(const std::string& name) {
  std::ifstream file(std::string(SIP_RECORDINGS) + "/" + name + ".ns", std::ios::binary);
  if (!file) throw std::runtime_error("no recording " + name);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

std::vector<std::string> RecordedPayloads(const std::string& name) {
  std::vector<std::string> payloads;
  dorvane::sip::NetstringReader reader;
  if (!reader.Feed(RecordedBytes(name),
                   [&](const std::string& payload) { payloads.push_back(payload); })) {
    throw std::runtime_error("broken recording " + name);
  }
  return payloads;
}

std::string RecordedAnswer(const std::string& command) {
  // The recorder asks reginfo with token 1 and contacts with token 2.
  const std::string token = command == "reginfo" ? "1" : "2";
  for (const std::string& payload : RecordedPayloads("info")) {
    const auto message = dorvane::sip::ParseCtrlMessage(payload);
    const auto* response = std::get_if<dorvane::sip::CtrlResponse>(&message);
    if (response && response->token == token) return response->data;
  }
  throw std::runtime_error("no recorded answer to " + command);
}

FakeBaresip::FakeBaresip() {
  answers["reginfo"] = {true, RecordedAnswer("reginfo")};
  answers["contacts"] = {true, RecordedAnswer("contacts")};
  answers["dial"] = {true, ""};
  answers["accept"] = {true, ""};
  answers["hangup"] = {true, ""};
}

void FakeBaresip::RunPosted() {
  std::vector<std::function<void()>> tasks;
  tasks.swap(posted_);
  for (auto& task : tasks) task();
}

bool FakeBaresip::Send(const std::string& bytes) {
  if (gone) return false;
  dorvane::sip::NetstringReader reader;
  const bool whole = reader.Feed(bytes, [&](const std::string& payload) {
    const auto command = nlohmann::json::parse(payload);
    const std::string name = command.at("command");
    const std::string params = command.value("params", "");
    sent.push_back(params.empty() ? name : name + " " + params);
    const auto answer = answers.find(name);
    if (answer == answers.end()) return;
    nlohmann::json response = {{"response", true},
                               {"ok", answer->second.ok},
                               {"data", answer->second.data},
                               {"token", command.at("token")}};
    pending_ += Netstring(response.dump());
  });
  if (!whole || reader.Broken()) throw std::runtime_error("model sent a broken netstring");
  return true;
}

std::string FakeBaresip::Receive(int timeoutMs, bool& dropped) {
  dropped = gone;
  std::string bytes;
  bytes.swap(pending_);
  if (!chatter.empty()) {
    nowMs += 10;
    return Netstring(chatter) + bytes;
  }
  if (bytes.empty()) nowMs += timeoutMs;
  return bytes;
}

dorvane::WindowHandle FakeBaresip::OpenWindow(const std::string& title) {
  windowTitles.push_back(title);
  return 0x1000 + windowTitles.size();
}

void FakeBaresip::ShowText(dorvane::WindowHandle window, const std::string& history) {
  shown[window] = history;
}

}  // namespace sip_test
