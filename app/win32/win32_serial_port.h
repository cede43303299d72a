// The serial control over the Win32 communications API: \\.\COMn at 9600 bit/s, 8 data bits, no
// parity, 1 stop bit, no flow control, buffers of 1024 (in) and 512 (out) characters. A reader
// thread keeps what arrives for Input and posts OnComm to the program's thread.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "posted_calls.h"
#include "serial_port.h"
#include "serial_reader.h"
#include "unique_handle.h"

namespace dorvane::win32 {

class Win32SerialPort : public SerialPort {
 public:
  // calls is not owned. onComm runs through it, on its thread, when characters have arrived or
  // a line event happened: one call pending at most, and none after its port was closed.
  Win32SerialPort(PostedCalls& calls, std::function<void()> onComm);
  ~Win32SerialPort() override { Close(); }
  Win32SerialPort(const Win32SerialPort&) = delete;
  Win32SerialPort& operator=(const Win32SerialPort&) = delete;

  // 8005 "Port already open" while the port is open; 8002 "Invalid port number" below 1.
  void SetCommPort(int16_t port) override;
  int16_t CommPort() override { return commPort_; }
  // Opening fails with 8005 when the port is open already, in this process or another, with
  // 8002 when there is no such port, and otherwise with the system's error number and text.
  void SetPortOpen(bool open) override;
  bool PortOpen() override { return reader_ != nullptr; }
  // Both fail with 8018 while the port is closed. Output returns once the bytes are written.
  void Output(const std::string& text) override;
  std::string Input() override;

  // Auto-reset event, set whenever characters arrive: a wait on it wakes as soon as the modem
  // answers, and consumes the signal. It lives as long as this object.
  HANDLE DataArrived() const { return dataArrived_.get(); }

 private:
  void Open();
  void Close();
  void Deliver(SerialReader& raiser);

  PostedCalls& calls_;  // not owned
  std::function<void()> onComm_;
  UniqueHandle dataArrived_;
  int16_t commPort_ = 1;
  UniqueHandle file_;
  std::shared_ptr<SerialReader> reader_;  // null while the port is closed
};

}  // namespace dorvane::win32
