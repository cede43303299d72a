#include "dtmf_playback.h"

#include "error_texts.h"
#include "playback_texts.h"
#include "tone_images.h"

namespace tonvex {

bool PlayDtmf(const PlayDtmfGate& gate, const std::string& PhoneNum, SoundOut& out,
              std::string& ErrorMsg) {
  if (!gate.UserMode) return true;
  if (!gate.Enabled) {
    ErrorMsg = text::kPlayDtmfDisabled;
    return false;
  }
  if (gate.Running) {
    ErrorMsg = text::kMethodRunning;
    return false;
  }
  return PlayDtmfSymbols(PhoneNum, out, ErrorMsg);
}

bool PlayDtmfSymbols(const std::string& PhoneNum, SoundOut& out, std::string& ErrorMsg) {
  for (const char byte : PhoneNum) {
    const int row = FindToneSymbol(byte);
    if (row < 0) {
      ErrorMsg = text::kInvalidSymbol;
      return false;
    }
    const ToneImageBytes& image = ToneImage(row);
    out.Play(kToneTable[row].ResourceId, image.data(), static_cast<uint32_t>(image.size()));
  }
  return true;
}

}  // namespace tonvex
