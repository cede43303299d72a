#include "event_printer.h"

namespace scan {
namespace {

long Int(const tonvex::EventArg& arg) {
  if (const auto* value = std::get_if<int16_t>(&arg)) return *value;
  if (const auto* value = std::get_if<int32_t>(&arg)) return *value;
  return 0;
}

}  // namespace

void EventPrinter::Print(const std::string& stamp, int32_t dispid, const tonvex::EventArgs& args) {
  if (dispid == tonvex::dispid::kDtmfHit && args.size() == 4) {
    const char key = static_cast<char>(Int(args[0]));
    if (keysOnly_) {
      keys_ += key;
      return;
    }
    std::fprintf(out_, "%s DtmfHit KeyCode=%ld Key=%c Level=%ld Sensitivity=%ld UnusedSize=%ld\n",
                 stamp.c_str(), Int(args[0]), key, Int(args[1]), Int(args[2]), Int(args[3]));
  } else if (keysOnly_) {
    return;
  } else if (dispid == tonvex::dispid::kLevelHit && args.size() == 1) {
    std::fprintf(out_, "%s LevelHit Level=%ld\n", stamp.c_str(), Int(args[0]));
  } else if (dispid == tonvex::dispid::kOnError && args.size() == 1) {
    const auto* text = std::get_if<std::string>(&args[0]);
    std::fprintf(out_, "%s OnError ErrMsg=%s\n", stamp.c_str(), text ? text->c_str() : "");
  }
}

void EventPrinter::Finish() {
  if (keysOnly_) std::fprintf(out_, "%s\n", keys_.c_str());
  std::fflush(out_);
}

}  // namespace scan
