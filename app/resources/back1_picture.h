// back1.jpg, the settings dialog's background and the face of its OK and Cancel buttons.
#pragma once

#include <cstdint>
#include <vector>

namespace dorvane {

// The dialog's client area; the buttons show its top-left corner, which holds no text.
constexpr int kBack1Width = 360;
constexpr int kBack1Height = 169;
constexpr int kBack1ButtonFaceWidth = 53;
constexpr int kBack1ButtonFaceHeight = 23;

// A light blue-grey picture with a faint diagonal sheen, the dialog's title and its fields'
// labels, as a baseline JPEG. The same bytes on every run; empty if a font or the encoder fails.
std::vector<uint8_t> MakeBack1Jpeg();
// The same picture before encoding: rows of RGB bytes, top first; empty if a font fails.
std::vector<uint8_t> DrawBack1Pixels();

}  // namespace dorvane
