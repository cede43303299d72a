#include "winsock_connection.h"

#include <ws2tcpip.h>

#include "call_log.h"

namespace msgrsim {
namespace {

constexpr DWORD kRetryMs = 100;

SOCKET ConnectOnce(const Endpoint& endpoint) {
  addrinfo hints = {};
  hints.ai_family = AF_UNSPEC;
  hints.ai_socktype = SOCK_STREAM;
  addrinfo* found = nullptr;
  if (getaddrinfo(endpoint.host.c_str(), endpoint.port.c_str(), &hints, &found) != 0) {
    return INVALID_SOCKET;
  }
  SOCKET connected = INVALID_SOCKET;
  for (addrinfo* at = found; at && connected == INVALID_SOCKET; at = at->ai_next) {
    connected = socket(at->ai_family, at->ai_socktype, at->ai_protocol);
    if (connected != INVALID_SOCKET &&
        connect(connected, at->ai_addr, static_cast<int>(at->ai_addrlen)) != 0) {
      closesocket(connected);
      connected = INVALID_SOCKET;
    }
  }
  freeaddrinfo(found);
  return connected;
}

// Waits at most timeoutMs for the socket to become readable (or writable).
bool Ready(SOCKET socket, bool forWriting, int timeoutMs) {
  fd_set set;
  FD_ZERO(&set);
  FD_SET(socket, &set);
  timeval wait = {timeoutMs / 1000, (timeoutMs % 1000) * 1000};
  return select(0, forWriting ? nullptr : &set, forWriting ? &set : nullptr, nullptr, &wait) > 0;
}

}  // namespace

bool ParseEndpoint(const std::wstring& text, Endpoint& endpoint) {
  const size_t colon = text.rfind(L':');
  if (colon == std::wstring::npos || colon == 0 || colon + 1 == text.size()) return false;
  const std::wstring port = text.substr(colon + 1);
  if (port.size() > 5 || port.find_first_not_of(L"0123456789") != std::wstring::npos) return false;
  const unsigned long number = std::stoul(port);
  if (number == 0 || number > 65535) return false;
  endpoint.host = Utf8(text.substr(0, colon));
  endpoint.port = Utf8(port);
  return true;
}

WinsockConnection::WinsockConnection(Endpoint endpoint, HWND window, UINT message,
                                     int connectWaitMs)
    : endpoint_(std::move(endpoint)),
      window_(window),
      message_(message),
      connectWaitMs_(connectWaitMs) {
  WSADATA data;
  started_ = WSAStartup(MAKEWORD(2, 2), &data) == 0;
}

WinsockConnection::~WinsockConnection() {
  Close();
  if (started_) WSACleanup();
}

void WinsockConnection::SetHandlers(BytesHandler bytes, DropHandler dropped) {
  onBytes_ = std::move(bytes);
  onDropped_ = std::move(dropped);
}

bool WinsockConnection::Connect() {
  Close();
  if (!started_) return false;
  const ULONGLONG deadline = GetTickCount64() + static_cast<ULONGLONG>(connectWaitMs_);
  for (;;) {
    socket_ = ConnectOnce(endpoint_);
    if (socket_ != INVALID_SOCKET) break;
    if (GetTickCount64() >= deadline) return false;
    Sleep(kRetryMs);
  }
  // Also makes the socket non-blocking.
  WSAAsyncSelect(socket_, window_, message_, FD_READ | FD_CLOSE);
  return true;
}

bool WinsockConnection::Send(const std::string& bytes) {
  size_t sent = 0;
  while (socket_ != INVALID_SOCKET && sent < bytes.size()) {
    const int wrote = send(socket_, bytes.data() + sent, static_cast<int>(bytes.size() - sent), 0);
    if (wrote > 0) {
      sent += static_cast<size_t>(wrote);
    } else if (wrote == SOCKET_ERROR && WSAGetLastError() == WSAEWOULDBLOCK) {
      Ready(socket_, true, kRetryMs);
    } else {
      return false;
    }
  }
  return socket_ != INVALID_SOCKET;
}

std::string WinsockConnection::ReadAvailable(bool& dropped) {
  std::string bytes;
  char buffer[4096];
  for (;;) {
    const int got = recv(socket_, buffer, sizeof buffer, 0);
    if (got > 0) {
      bytes.append(buffer, static_cast<size_t>(got));
      continue;
    }
    dropped = got == 0 || WSAGetLastError() != WSAEWOULDBLOCK;
    return bytes;
  }
}

std::string WinsockConnection::Receive(int timeoutMs, bool& dropped) {
  dropped = socket_ == INVALID_SOCKET;
  if (dropped || !Ready(socket_, false, timeoutMs)) return {};
  return ReadAvailable(dropped);
}

void WinsockConnection::Notified() {
  // A notice may come after Receive has taken the bytes it announced, or after Close.
  if (socket_ == INVALID_SOCKET) return;
  bool dropped = false;
  const std::string bytes = ReadAvailable(dropped);
  if (!bytes.empty() && onBytes_) onBytes_(bytes);
  // A handler that found the stream broken has closed the connection already.
  if (socket_ == INVALID_SOCKET || !dropped) return;
  Close();
  if (onDropped_) onDropped_();
}

void WinsockConnection::Close() {
  if (socket_ != INVALID_SOCKET) closesocket(socket_);
  socket_ = INVALID_SOCKET;
}

}  // namespace msgrsim
