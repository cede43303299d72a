// A baresip on the other end of the call model: answers commands from a table, replays
// recorded ctrl_tcp streams, and plays the desk that opens conversation windows.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "sip_transport.h"

namespace sip_test {

// The payloads of a recorded stream in tests/sip/recordings/.
std::vector<std::string> RecordedPayloads(const std::string& name);
std::string RecordedBytes(const std::string& name);
// The data baresip answered to a command in the recording "info".
std::string RecordedAnswer(const std::string& command);

class FakeBaresip : public dorvane::sip::SipTransport, public dorvane::sip::ConversationDesk {
 public:
  struct Answer {
    bool ok = true;
    std::string data;
  };

  FakeBaresip();

  // Commands as sent: "dial sip:a@b", "accept", "hangup".
  std::vector<std::string> sent;
  std::map<std::string, Answer> answers;
  bool accepts = true;
  bool gone = false;
  bool closed = false;
  std::vector<std::string> windowTitles;
  std::map<dorvane::WindowHandle, std::string> shown;
  std::vector<dorvane::WindowHandle> closedWindows;

  // Runs what the model posted, as the event loop would after the running handler.
  void RunPosted();

  bool Connect() override { return accepts; }
  bool Send(const std::string& bytes) override;
  std::string Receive(int timeoutMs, bool& dropped) override;
  void Close() override { closed = true; }
  // Virtual time: it passes only while the model waits for bytes that do not come.
  int64_t MonotonicMs() override { return nowMs; }
  int64_t nowMs = 0;
  // Sent before every answer, as a baresip busy with a call would.
  std::string chatter;

  dorvane::WindowHandle OpenWindow(const std::string& title) override;
  void ShowText(dorvane::WindowHandle window, const std::string& history) override;
  void CloseWindow(dorvane::WindowHandle window) override { closedWindows.push_back(window); }
  void Post(std::function<void()> task) override { posted_.push_back(std::move(task)); }

 private:
  std::string pending_;
  std::vector<std::function<void()>> posted_;
};

}  // namespace sip_test
