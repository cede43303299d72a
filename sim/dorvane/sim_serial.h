// The serial control on COM ports with a voice modem behind them. The modem answers each
// command (everything up to a carriage return) 20 ms after it arrives, an answer in pieces one
// piece every 20 ms; each piece enters the receive buffer whole and raises one OnComm.
#pragma once

#include <cstdint>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "event_loop.h"
#include "runtime_error.h"
#include "serial_port.h"
#include "transcript.h"

namespace sim {

class SimSerial : public dorvane::SerialPort {
 public:
  static constexpr int kModemPorts = 16;
  static constexpr Micros kAnswerDelay = 20 * kMicrosPerMilli;

  // loop and transcript are not owned.
  SimSerial(EventLoop& loop, Transcript& transcript) : loop_(loop), transcript_(transcript) {}

  // The program's OnComm handler, run as a posted message.
  void SetOnComm(std::function<void()> onComm) { onComm_ = std::move(onComm); }

  // The world.
  void SetAnswer(std::string first, std::vector<std::string> more = {});
  void SetSilent() { silent_ = true; }
  void SetMissing(int port);
  void SetBusy(int port);
  // The modem writes to the port.
  void ModemSays(const std::string& text);
  // A communication event without data.
  void RaiseEvent(const std::string& kind);

  void SetCommPort(int16_t port) override;
  int16_t CommPort() override { return commPort_; }
  void SetPortOpen(bool open) override;
  bool PortOpen() override { return open_; }
  void Output(const std::string& text) override;
  std::string Input() override;

 private:
  [[noreturn]] void Fail(const dorvane::RuntimeError& failure);
  void ModemReceives(const std::string& text);
  // OnComm as a posted message; a port closed meanwhile raises nothing.
  void PostOnComm();
  std::string PortName() const { return "COM" + std::to_string(commPort_); }

  EventLoop& loop_;         // not owned
  Transcript& transcript_;  // not owned
  std::function<void()> onComm_;
  std::vector<std::string> answer_ = {"\r\nOK\r\n"};
  bool silent_ = false;
  std::set<int> missing_;
  std::set<int> busy_;
  int16_t commPort_ = 1;
  bool open_ = false;
  std::string received_;  // the port's receive buffer
  std::string command_;   // what the modem has of the command being sent
};

}  // namespace sim
