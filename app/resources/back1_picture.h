// back1.jpg, the settings dialog's background and the face of its OK and Cancel buttons.
#pragma once

#include <cstdint>
#include <vector>

namespace dorvane {

// The dialog's client area; the buttons show its top-left corner.
constexpr int kBack1Width = 360;
constexpr int kBack1Height = 169;

// A light blue-grey picture with a faint diagonal sheen, as a baseline JPEG. The same bytes on
// every run; empty only if the encoder fails.
std::vector<uint8_t> MakeBack1Jpeg();

}  // namespace dorvane
