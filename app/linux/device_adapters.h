// The program's devices on Linux: the serial port over termios (COM n through the
// configuration folder's dosdevices links) and the sound input over PulseAudio.
#pragma once

#include "run_program.h"

namespace dorvane::linux_host {

// Adapters with the serial port and the sound source set; the messenger is the caller's.
Adapters DeviceAdapters();

}  // namespace dorvane::linux_host
