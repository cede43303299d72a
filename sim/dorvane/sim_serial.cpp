#include "sim_serial.h"

#include "quoting.h"
#include "runtime_error.h"

namespace sim {

namespace failure = dorvane::failure;

void SimSerial::SetAnswer(std::string first, std::vector<std::string> more) {
  answer_ = {std::move(first)};
  answer_.insert(answer_.end(), more.begin(), more.end());
  silent_ = false;
}

void SimSerial::SetMissing(int port) {
  missing_.insert(port);
  busy_.erase(port);
}

void SimSerial::SetBusy(int port) {
  busy_.insert(port);
  missing_.erase(port);
}

void SimSerial::PostOnComm() {
  loop_.Post([this] {
    if (open_ && onComm_) onComm_();
  });
}

void SimSerial::Fail(const dorvane::RuntimeError& failure) {
  transcript_.Add("port",
                  "error " + std::to_string(failure.Number) + " " + Quote(failure.Description));
  throw failure;
}

void SimSerial::SetCommPort(int16_t port) {
  if (open_) Fail(failure::PortAlreadyOpen());
  commPort_ = port;
}

void SimSerial::SetPortOpen(bool open) {
  if (!open) {
    if (!open_) return;
    open_ = false;
    received_.clear();
    transcript_.Add("port", "close " + PortName());
    return;
  }
  if (open_ || busy_.count(commPort_)) Fail(failure::PortAlreadyOpen());
  if (commPort_ < 1 || commPort_ > kModemPorts || missing_.count(commPort_)) {
    Fail(failure::InvalidPortNumber());
  }
  open_ = true;
  transcript_.Add("port", "open " + PortName());
}

void SimSerial::Output(const std::string& text) {
  if (!open_) Fail(failure::PortNotOpen());
  transcript_.Add("modem", "<- " + Quote(text));
  ModemReceives(text);
}

std::string SimSerial::Input() {
  if (!open_) Fail(failure::PortNotOpen());
  std::string text;
  text.swap(received_);
  return text;
}

void SimSerial::ModemReceives(const std::string& text) {
  for (char c : text) {
    if (c != '\r') {
      command_ += c;
      continue;
    }
    command_.clear();
    if (silent_) continue;
    for (size_t i = 0; i < answer_.size(); ++i) {
      loop_.PostWorldAt(loop_.Now() + kAnswerDelay * static_cast<Micros>(i + 1),
                        [this, piece = answer_[i]] { ModemSays(piece); });
    }
  }
}

void SimSerial::ModemSays(const std::string& text) {
  transcript_.Add("modem", "-> " + Quote(text));
  if (!open_) return;
  received_ += text;
  PostOnComm();
}

void SimSerial::RaiseEvent(const std::string& kind) {
  if (!open_) {
    transcript_.Add("port", "event " + kind + " dropped (port closed)");
    return;
  }
  transcript_.Add("port", "event " + kind);
  PostOnComm();
}

}  // namespace sim
