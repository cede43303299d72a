// The serial control over a termios device: COM n is what <configDir>/dosdevices/comN links to,
// else /dev/ttyS(n-1); 9600 bit/s, 8 data bits, no parity, 1 stop bit, raw, no flow control.
// A watch on the descriptor in GLib's default main context raises OnComm.
#pragma once

#include <glib.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "serial_port.h"

namespace dorvane::linux_host {

class TermiosSerialPort : public SerialPort {
 public:
  // onComm runs on the default main context when characters arrived or the line hung up: one
  // call pending at most, and none after its port was closed.
  TermiosSerialPort(std::string configDir, std::function<void()> onComm);
  ~TermiosSerialPort() override { Close(); }
  TermiosSerialPort(const TermiosSerialPort&) = delete;
  TermiosSerialPort& operator=(const TermiosSerialPort&) = delete;

  // 8005 "Port already open" while the port is open; 8002 "Invalid port number" below 1.
  void SetCommPort(int16_t port) override;
  int16_t CommPort() override { return commPort_; }
  // Opening fails with 8005 when the port is open already, in this process or another, with
  // 8002 when there is no such device or it is no terminal, with 70 when it may not be opened.
  void SetPortOpen(bool open) override;
  bool PortOpen() override { return fd_ >= 0; }
  // Both fail with 8018 while the port is closed, and with 31 (the system's "device not
  // functioning") once the device has gone; Input first returns what came before.
  void Output(const std::string& text) override;
  std::string Input() override;

  // Waits until data arrives on the open port, at most timeoutMs, running no handler.
  void WaitForData(int timeoutMs);
  // The device COM port is opened from.
  std::string DevicePath(int16_t port) const;

 private:
  void Open();
  void Close();
  // Moves what the device holds into received_; false once the device has gone.
  bool Drain();
  static gboolean OnReadable(gint fd, GIOCondition condition, gpointer self);
  static gboolean OnDeliver(gpointer self);

  std::string configDir_;
  std::function<void()> onComm_;
  int16_t commPort_ = 1;
  int fd_ = -1;
  bool gone_ = false;
  guint watch_ = 0;
  guint delivery_ = 0;  // the pending OnComm
  std::string received_;
};

// The COM numbers that have a link in <configDir>/dosdevices, in ascending order.
std::vector<int16_t> LinkedComPorts(const std::string& configDir);

}  // namespace dorvane::linux_host
