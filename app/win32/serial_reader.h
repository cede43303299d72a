// The receiving half of an open serial port: a thread of its own keeps what arrives in a buffer
// that Take empties, and reports arrivals and line events (CTS, DSR, RLSD, RING, BREAK, ERR).
#pragma once

#include <windows.h>

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

#include "unique_handle.h"

namespace dorvane::win32 {

class SerialReader {
 public:
  // port (opened for overlapped I/O, reads without time-outs) and arrived are not owned and must
  // outlive Stop; arrived is set at each arrival.
  SerialReader(HANDLE port, HANDLE arrived);
  ~SerialReader() { Stop(); }
  SerialReader(const SerialReader&) = delete;
  SerialReader& operator=(const SerialReader&) = delete;

  // notify runs on the reader thread, once until Acknowledge is called.
  void Start(std::function<void()> notify);
  // Cancels the thread's I/O and joins it.
  void Stop();
  // Everything received since the last call.
  std::string Take();
  // The last notification has been handled: the next arrival or line event notifies again.
  void Acknowledge() { notified_ = false; }

 private:
  void Run();
  void Receive(char first, OVERLAPPED& read);
  void Notify();

  HANDLE port_;     // not owned
  HANDLE arrived_;  // not owned
  UniqueHandle stop_;
  std::function<void()> notify_;
  std::atomic<bool> notified_{false};
  std::mutex lock_;
  std::string received_;
  std::thread thread_;
};

}  // namespace dorvane::win32
