// The SIP call model's byte connection on Windows: a Winsock TCP socket to baresip's ctrl_tcp,
// whose arriving bytes reach the GUI thread as window messages (WSAAsyncSelect).
#pragma once

#include <winsock2.h>

#include <cstdint>
#include <functional>
#include <string>

#include "sip_transport.h"

namespace msgrsim {

struct Endpoint {
  std::string host;
  std::string port;
};

// "HOST:PORT", the port a number from 1 to 65535; false when the text is not one.
bool ParseEndpoint(const std::wstring& text, Endpoint& endpoint);

class WinsockConnection : public dorvane::sip::SipTransport {
 public:
  using BytesHandler = std::function<void(const std::string&)>;
  using DropHandler = std::function<void()>;

  // Socket notices go to `window` as `message`, which the window hands to Notified().
  WinsockConnection(Endpoint endpoint, HWND window, UINT message, int connectWaitMs = 10000);
  ~WinsockConnection() override;
  WinsockConnection(const WinsockConnection&) = delete;
  WinsockConnection& operator=(const WinsockConnection&) = delete;

  void SetHandlers(BytesHandler bytes, DropHandler dropped);
  void Notified();

  bool Connect() override;
  bool Send(const std::string& bytes) override;
  std::string Receive(int timeoutMs, bool& dropped) override;
  void Close() override;
  int64_t MonotonicMs() override { return static_cast<int64_t>(GetTickCount64()); }

 private:
  // What can be read now without waiting; sets dropped at the end of the stream.
  std::string ReadAvailable(bool& dropped);

  Endpoint endpoint_;
  HWND window_;
  UINT message_;
  int connectWaitMs_;
  bool started_ = false;  // WSAStartup succeeded
  SOCKET socket_ = INVALID_SOCKET;
  BytesHandler onBytes_;
  DropHandler onDropped_;
};

}  // namespace msgrsim
