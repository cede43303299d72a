// Any property bag: each entry missing, failing, or a value of any automation type.
#include <fuzzer/FuzzedDataProvider.h>

#include <string>

#include "control_fixture.h"
#include "property_bag.h"

namespace {

class FuzzedBag : public tonvex::PropertyBag {
 public:
  explicit FuzzedBag(FuzzedDataProvider& input) : input_(input) {}

  tonvex::HResult Read(const std::string&, tonvex::Variant& value) override {
    switch (input_.ConsumeIntegralInRange(0, 7)) {
      case 0:
        return tonvex::hr::kInvalidArg;  // no such entry
      case 1:
        return tonvex::hr::kFail;
      case 2:
        value = tonvex::Variant::I2(input_.ConsumeIntegral<int16_t>());
        break;
      case 3:
        value = tonvex::Variant::I4(input_.ConsumeIntegral<int32_t>());
        break;
      case 4:
        value = tonvex::Variant::R8(input_.ConsumeFloatingPoint<double>());
        break;
      case 5:
        value = tonvex::Variant::BStr(input_.ConsumeRandomLengthString(32));
        break;
      case 6:
        value = tonvex::Variant::Bool(input_.ConsumeBool());
        break;
      default:
        value = tonvex::Variant();
    }
    return tonvex::hr::kOk;
  }
  tonvex::HResult Write(const std::string&, const tonvex::Variant&) override {
    return tonvex::hr::kOk;
  }

 private:
  FuzzedDataProvider& input_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider input(data, size);
  FuzzedBag bag(input);
  tonvex::TonvexControl& control = fuzz::Reused(0);
  const tonvex::HResult result = control.LoadBag(bag);
  fuzz::CheckReload(control, !tonvex::Succeeded(result));
  return 0;
}
