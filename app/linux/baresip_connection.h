// The SIP call model's byte connection on Linux: a TCP socket to baresip's ctrl_tcp, whose
// arriving bytes are delivered on the GLib main loop.
#pragma once

#include <glib.h>

#include <cstdint>
#include <functional>
#include <string>

#include "sip_transport.h"

namespace dorvane::linux_host {

struct BaresipEndpoint {
  std::string host = "127.0.0.1";
  uint16_t port = 4444;
};

// DORVANE_BARESIP=HOST:PORT, else baresip's default; a malformed value is ignored.
BaresipEndpoint BaresipEndpointFromEnvironment();
bool ParseEndpoint(const std::string& text, BaresipEndpoint& endpoint);

class BaresipConnection : public sip::SipTransport {
 public:
  using BytesHandler = std::function<void(const std::string&)>;
  using DropHandler = std::function<void()>;

  // A program started before baresip finds it within connectWaitMs.
  explicit BaresipConnection(BaresipEndpoint endpoint, int connectWaitMs = 10000);
  ~BaresipConnection() override;
  BaresipConnection(const BaresipConnection&) = delete;
  BaresipConnection& operator=(const BaresipConnection&) = delete;

  // Where bytes that arrive between requests go, from the default main context.
  void SetHandlers(BytesHandler bytes, DropHandler dropped);

  bool Connect() override;
  bool Send(const std::string& bytes) override;
  std::string Receive(int timeoutMs, bool& dropped) override;
  void Close() override;
  int64_t MonotonicMs() override { return g_get_monotonic_time() / 1000; }

 private:
  static gboolean Readable(gint fd, GIOCondition condition, gpointer self);
  // What can be read now without waiting; sets dropped at the end of the stream.
  std::string ReadAvailable(bool& dropped);

  BaresipEndpoint endpoint_;
  int connectWaitMs_;
  int fd_ = -1;
  guint watch_ = 0;
  BytesHandler onBytes_;
  DropHandler onDropped_;
};

}  // namespace dorvane::linux_host
