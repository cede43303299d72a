// Port: the serial communications control on the main window (MSComm1). Its OnComm event
// reaches Dorvane_frm::MSComm1_OnComm on the program's thread.
#pragma once

#include <cstdint>
#include <string>

namespace dorvane {

class SerialPort {
 public:
  virtual ~SerialPort() = default;

  virtual void SetCommPort(int16_t port) = 0;
  virtual int16_t CommPort() = 0;
  // Opening a missing or busy port fails; closing a closed port does nothing.
  virtual void SetPortOpen(bool open) = 0;
  virtual bool PortOpen() = 0;
  // Sends the characters unchanged, in the ANSI code page (the text is UTF-8).
  virtual void Output(const std::string& text) = 0;
  // Everything received since the last read, possibly nothing; it leaves the receive buffer.
  // The modem's bytes as they came: its replies are plain ASCII.
  virtual std::string Input() = 0;
};

}  // namespace dorvane
