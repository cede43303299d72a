#include "netstring_reader.h"

#include <algorithm>

namespace dorvane::sip {

std::string Netstring(const std::string& payload) {
  return std::to_string(payload.size()) + ":" + payload + ",";
}

bool NetstringReader::Feed(const char* bytes, size_t size, const PayloadSink& sink) {
  size_t at = 0;
  while (at < size && state_ != State::Broken) {
    const char c = bytes[at];
    switch (state_) {
      case State::Length:
        ++at;
        if (c >= '0' && c <= '9') {
          // A leading zero is only allowed as the whole length.
          if (digits_ == 1 && length_ == 0) {
            state_ = State::Broken;
            break;
          }
          length_ = length_ * 10 + static_cast<size_t>(c - '0');
          ++digits_;
          if (length_ > kMaxPayload) state_ = State::Broken;
        } else if (c == ':' && digits_ > 0) {
          payload_.clear();
          payload_.reserve(length_);
          state_ = length_ == 0 ? State::Comma : State::Payload;
        } else {
          state_ = State::Broken;
        }
        break;
      case State::Payload: {
        const size_t take = std::min(length_ - payload_.size(), size - at);
        payload_.append(bytes + at, take);
        at += take;
        if (payload_.size() == length_) state_ = State::Comma;
        break;
      }
      case State::Comma:
        ++at;
        if (c != ',') {
          state_ = State::Broken;
          break;
        }
        state_ = State::Length;
        length_ = 0;
        digits_ = 0;
        sink(payload_);
        break;
      case State::Broken:
        break;
    }
  }
  return state_ != State::Broken;
}

}  // namespace dorvane::sip
