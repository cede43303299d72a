// tonvex-tone-images: writes the tone images as tone_<id>.wav for the library's WAVE resources.
#include <cstdio>
#include <string>

#include "tone_images.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fputs("usage: tonvex-tone-images DIRECTORY\n", stderr);
    return 2;
  }
  const std::string directory = argv[1];
  for (int i = 0; i < tonvex::kToneCount; ++i) {
    const std::string path =
        directory + "/tone_" + std::to_string(tonvex::kToneTable[i].ResourceId) + ".wav";
    const tonvex::ToneImageBytes& image = tonvex::ToneImage(i);
    std::FILE* file = std::fopen(path.c_str(), "wb");
    const bool written = file && std::fwrite(image.data(), 1, image.size(), file) == image.size();
    const bool closed = file && std::fclose(file) == 0;
    if (!written || !closed) {
      std::fprintf(stderr, "tonvex-tone-images: cannot write %s\n", path.c_str());
      return 1;
    }
  }
  return 0;
}
