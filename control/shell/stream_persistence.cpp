#include "stream_persistence.h"

namespace tonvex {
namespace {

class StreamWriter : public PropertyExchange {
 public:
  void Version(uint32_t&) override { Put(kPersistVersion, 4); }
  void Long(const char*, int32_t& value, int32_t) override { Put(static_cast<uint32_t>(value), 4); }
  void Short(const char*, int16_t& value, int16_t) override {
    Put(static_cast<uint16_t>(value), 2);
  }
  void Bool(const char*, bool& value, bool) override { Put(value ? 0xFFFFu : 0u, 2); }
  std::vector<uint8_t> bytes;

 private:
  void Put(uint32_t value, int size) {
    for (int i = 0; i < size; ++i) bytes.push_back(static_cast<uint8_t>(value >> (8 * i)));
  }
};

class StreamReader : public PropertyExchange {
 public:
  StreamReader(const uint8_t* data, size_t size) : data_(data), size_(size) {}
  void Version(uint32_t& version) override { Get(version, 4); }
  void Long(const char*, int32_t& value, int32_t) override {
    uint32_t raw = 0;
    if (Get(raw, 4)) value = static_cast<int32_t>(raw);
  }
  void Short(const char*, int16_t& value, int16_t) override {
    uint32_t raw = 0;
    if (Get(raw, 2)) value = static_cast<int16_t>(static_cast<uint16_t>(raw));
  }
  void Bool(const char*, bool& value, bool) override {
    uint32_t raw = 0;
    if (Get(raw, 2)) value = raw != 0;
  }

 private:
  bool Get(uint32_t& value, size_t bytes) {
    if (!Succeeded(Result()) || size_ - at_ < bytes) {
      Fail(hr::kReadFault);
      return false;
    }
    value = 0;
    for (size_t i = 0; i < bytes; ++i) value |= uint32_t{data_[at_ + i]} << (8 * i);
    at_ += bytes;
    return true;
  }
  const uint8_t* data_;  // not owned
  size_t size_;
  size_t at_ = 0;
};

}  // namespace

std::vector<uint8_t> SaveToStream(const PersistentState& state) {
  StreamWriter writer;
  SaveWhole(writer, state);
  return writer.bytes;
}

HResult LoadFromStream(const uint8_t* data, size_t size, PersistentState& state) {
  StreamReader reader(data, size);
  return LoadWhole(reader, state);
}

}  // namespace tonvex
