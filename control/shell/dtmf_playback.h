// PlayDtmf: a dialling string played as one 100 ms tone per symbol.
#pragma once

#include <string>

#include "sound_out.h"

namespace tonvex {

// What the control knows when the method is called.
struct PlayDtmfGate {
  bool UserMode = true;  // the container's ambient UserMode; false at design time
  bool Enabled = true;
  bool Running = false;  // a DTMF or level search runs
};

// The whole method: design mode plays nothing and succeeds; a disabled or busy control refuses.
bool PlayDtmf(const PlayDtmfGate& gate, const std::string& PhoneNum, SoundOut& out,
              std::string& ErrorMsg);

// The playback itself. PhoneNum is taken byte by byte (ANSI code page), so a double-byte
// character fails on its first byte. Tones before an invalid byte stay played; false then.
bool PlayDtmfSymbols(const std::string& PhoneNum, SoundOut& out, std::string& ErrorMsg);

}  // namespace tonvex
