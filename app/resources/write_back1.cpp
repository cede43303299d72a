// dorvane-back1: writes the settings dialog's picture, back1.jpg, to the path it is given.
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

#include "back1_picture.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fputs("usage: dorvane-back1 FILE\n", stderr);
    return 2;
  }
  const char* path = argv[1];
  const std::vector<uint8_t> picture = dorvane::MakeBack1Jpeg();
  if (picture.empty()) {
    std::fputs("dorvane-back1: the JPEG encoder failed\n", stderr);
    return 1;
  }
  std::FILE* file = std::fopen(path, "wb");
  bool written = file && std::fwrite(picture.data(), 1, picture.size(), file) == picture.size();
  if (file && std::fclose(file) != 0) written = false;
  if (!written) {
    std::fprintf(stderr, "dorvane-back1: cannot write %s: %s\n", path, std::strerror(errno));
    return 1;
  }
  return 0;
}
