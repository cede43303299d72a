#include "property_bag.h"
#include "property_exchange.h"

namespace tonvex {
namespace {

class BagWriter : public PropertyExchange {
 public:
  explicit BagWriter(PropertyBag& bag) : bag_(bag) {}
  void Version(uint32_t&) override {
    Write("_Version", Variant::I4(static_cast<int32_t>(kPersistVersion)));
  }
  void Long(const char* name, int32_t& value, int32_t) override { Write(name, Variant::I4(value)); }
  void Short(const char* name, int16_t& value, int16_t) override {
    Write(name, Variant::I2(value));
  }
  void Bool(const char* name, bool& value, bool) override { Write(name, Variant::Bool(value)); }

 private:
  void Write(const char* name, const Variant& value) {
    if (Succeeded(Result())) Fail(bag_.Write(name, value));
  }
  PropertyBag& bag_;  // not owned
};

class BagReader : public PropertyExchange {
 public:
  explicit BagReader(PropertyBag& bag) : bag_(bag) {}
  void Version(uint32_t&) override {
    Variant ignored;
    Read("_Version", VarType::I4, ignored);  // any version loads
  }
  void Long(const char* name, int32_t& value, int32_t defaultValue) override {
    Variant read;
    value = Read(name, VarType::I4, read) ? read.AsI4() : defaultValue;
  }
  void Short(const char* name, int16_t& value, int16_t defaultValue) override {
    Variant read;
    value = Read(name, VarType::I2, read) ? read.AsI2() : defaultValue;
  }
  void Bool(const char* name, bool& value, bool defaultValue) override {
    Variant read;
    value = Read(name, VarType::Bool, read) ? read.AsBool() : defaultValue;
  }

 private:
  // True when the entry is there and converts; a missing entry is not a failure.
  bool Read(const char* name, VarType type, Variant& value) {
    if (!Succeeded(Result())) return false;
    Variant stored;
    const HResult read = bag_.Read(name, stored);
    if (read == hr::kInvalidArg) return false;
    if (!Succeeded(read)) {
      Fail(read);
      return false;
    }
    const HResult converted = ChangeType(stored, type, value);
    if (!Succeeded(converted)) Fail(converted);
    return Succeeded(converted);
  }
  PropertyBag& bag_;  // not owned
};

}  // namespace

HResult SaveToBag(PropertyBag& bag, const PersistentState& state) {
  BagWriter writer(bag);
  return SaveWhole(writer, state);
}

HResult LoadFromBag(PropertyBag& bag, PersistentState& state) {
  BagReader reader(bag);
  return LoadWhole(reader, state);
}

}  // namespace tonvex
