// tonvex-pictures: writes the control's bitmaps and icon for the library's resources.
#include <cstdio>
#include <string>
#include <vector>

#include "pictures.h"

namespace {

bool WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  const bool written = file && std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  const bool closed = file && std::fclose(file) == 0;
  if (!written || !closed) std::fprintf(stderr, "tonvex-pictures: cannot write %s\n", path.c_str());
  return written && closed;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fputs("usage: tonvex-pictures DIRECTORY\n", stderr);
    return 2;
  }
  const std::string directory = argv[1];
  const bool ok =
      WriteFile(directory + "/control.bmp", tonvex::EncodeBmp(tonvex::ControlPicture())) &&
      WriteFile(directory + "/toolbox.bmp", tonvex::EncodeBmp(tonvex::ToolboxPicture())) &&
      WriteFile(directory + "/tonvex.ico",
                tonvex::EncodeIco({tonvex::LargeIcon(), tonvex::SmallIcon()}));
  return ok ? 0 : 1;
}
