// Whether a file is a picture the Windows runtime's picture loader would take: a JPEG it can
// decode to the end, or a BMP whose header holds together.
#pragma once

#include <cstdint>
#include <vector>

namespace sim {

struct PictureCheck {
  bool ok = false;
  int width = 0;
  int height = 0;  // positive, also for a top-down BMP
};

PictureCheck ReadPicture(const std::vector<uint8_t>& bytes);

}  // namespace sim
