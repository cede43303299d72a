#include "baresip_connection.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <glib-unix.h>
#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <thread>

namespace dorvane::linux_host {
namespace {

constexpr int kRetryMs = 100;

int ConnectOnce(const BaresipEndpoint& endpoint) {
  addrinfo hints{};
  hints.ai_family = AF_UNSPEC;
  hints.ai_socktype = SOCK_STREAM;
  addrinfo* found = nullptr;
  const std::string port = std::to_string(endpoint.port);
  if (getaddrinfo(endpoint.host.c_str(), port.c_str(), &hints, &found) != 0) return -1;
  int fd = -1;
  for (addrinfo* at = found; at && fd < 0; at = at->ai_next) {
    fd = socket(at->ai_family, at->ai_socktype | SOCK_CLOEXEC, at->ai_protocol);
    if (fd >= 0 && connect(fd, at->ai_addr, at->ai_addrlen) != 0) {
      close(fd);
      fd = -1;
    }
  }
  freeaddrinfo(found);
  return fd;
}

}  // namespace

bool ParseEndpoint(const std::string& text, BaresipEndpoint& endpoint) {
  const size_t colon = text.rfind(':');
  if (colon == std::string::npos || colon == 0 || colon + 1 == text.size()) return false;
  const std::string portText = text.substr(colon + 1);
  if (portText.find_first_not_of("0123456789") != std::string::npos || portText.size() > 5) {
    return false;
  }
  const unsigned long port = std::stoul(portText);
  if (port == 0 || port > 65535) return false;
  endpoint.host = text.substr(0, colon);
  endpoint.port = static_cast<uint16_t>(port);
  return true;
}

BaresipEndpoint BaresipEndpointFromEnvironment() {
  BaresipEndpoint endpoint;
  if (const char* value = std::getenv("DORVANE_BARESIP")) ParseEndpoint(value, endpoint);
  return endpoint;
}

BaresipConnection::BaresipConnection(BaresipEndpoint endpoint, int connectWaitMs)
    : endpoint_(std::move(endpoint)), connectWaitMs_(connectWaitMs) {}

BaresipConnection::~BaresipConnection() { Close(); }

void BaresipConnection::SetHandlers(BytesHandler bytes, DropHandler dropped) {
  onBytes_ = std::move(bytes);
  onDropped_ = std::move(dropped);
}

bool BaresipConnection::Connect() {
  Close();
  const auto deadline =
      std::chrono::steady_clock::now() + std::chrono::milliseconds(connectWaitMs_);
  for (;;) {
    fd_ = ConnectOnce(endpoint_);
    if (fd_ >= 0) break;
    if (std::chrono::steady_clock::now() >= deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(kRetryMs));
  }
  fcntl(fd_, F_SETFL, fcntl(fd_, F_GETFL) | O_NONBLOCK);
  watch_ = g_unix_fd_add(fd_, static_cast<GIOCondition>(G_IO_IN | G_IO_HUP | G_IO_ERR),
                         &BaresipConnection::Readable, this);
  return true;
}

bool BaresipConnection::Send(const std::string& bytes) {
  size_t sent = 0;
  while (fd_ >= 0 && sent < bytes.size()) {
    const ssize_t wrote = send(fd_, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
    if (wrote > 0) {
      sent += static_cast<size_t>(wrote);
    } else if (wrote < 0 && (errno == EAGAIN || errno == EINTR)) {
      pollfd writable{fd_, POLLOUT, 0};
      poll(&writable, 1, kRetryMs);
    } else {
      return false;
    }
  }
  return fd_ >= 0;
}

std::string BaresipConnection::ReadAvailable(bool& dropped) {
  std::string bytes;
  char buffer[4096];
  for (;;) {
    const ssize_t got = recv(fd_, buffer, sizeof buffer, 0);
    if (got > 0) {
      bytes.append(buffer, static_cast<size_t>(got));
    } else if (got < 0 && errno == EINTR) {
      continue;
    } else {
      dropped = got == 0 || (errno != EAGAIN && errno != EWOULDBLOCK);
      return bytes;
    }
  }
}

std::string BaresipConnection::Receive(int timeoutMs, bool& dropped) {
  dropped = fd_ < 0;
  if (dropped) return {};
  pollfd readable{fd_, POLLIN, 0};
  if (poll(&readable, 1, timeoutMs) <= 0) return {};
  return ReadAvailable(dropped);
}

gboolean BaresipConnection::Readable(gint, GIOCondition, gpointer self) {
  auto& connection = *static_cast<BaresipConnection*>(self);
  bool dropped = false;
  const std::string bytes = connection.ReadAvailable(dropped);
  if (!bytes.empty() && connection.onBytes_) connection.onBytes_(bytes);
  // A handler that found the stream broken has closed the connection, this source with it.
  if (connection.fd_ < 0) return G_SOURCE_REMOVE;
  if (!dropped) return G_SOURCE_CONTINUE;
  // The source goes with this return; Close must not remove it again.
  connection.watch_ = 0;
  connection.Close();
  if (connection.onDropped_) connection.onDropped_();
  return G_SOURCE_REMOVE;
}

void BaresipConnection::Close() {
  if (watch_ != 0) g_source_remove(watch_);
  watch_ = 0;
  if (fd_ >= 0) close(fd_);
  fd_ = -1;
}

}  // namespace dorvane::linux_host
