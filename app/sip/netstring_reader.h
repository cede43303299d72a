// Netstrings ("LENGTH:PAYLOAD,") cut out of a byte stream that may arrive split at any byte.
#pragma once

#include <cstddef>
#include <functional>
#include <string>

namespace dorvane::sip {

std::string Netstring(const std::string& payload);

class NetstringReader {
 public:
  // Larger payloads are treated as a broken stream rather than buffered without end.
  static constexpr size_t kMaxPayload = 1 << 20;

  using PayloadSink = std::function<void(const std::string&)>;

  // Hands every payload completed by these bytes to sink, in order. Returns false once the
  // stream is broken (a bad length, a missing comma, an oversized payload); a broken stream
  // stays broken, since nothing tells where the next netstring would begin.
  bool Feed(const char* bytes, size_t size, const PayloadSink& sink);
  bool Feed(const std::string& bytes, const PayloadSink& sink) {
    return Feed(bytes.data(), bytes.size(), sink);
  }
  bool Broken() const { return state_ == State::Broken; }

 private:
  enum class State { Length, Payload, Comma, Broken };

  State state_ = State::Length;
  size_t length_ = 0;
  size_t digits_ = 0;
  std::string payload_;
};

}  // namespace dorvane::sip
