// dorvane-icon: writes the program icon, dorvane.ico, into the directory it is given.
#include <cstdio>
#include <string>
#include <vector>

#include "program_icon.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fputs("usage: dorvane-icon DIRECTORY\n", stderr);
    return 2;
  }
  const std::string path = std::string(argv[1]) + "/dorvane.ico";
  const std::vector<uint8_t> icon =
      tonvex::EncodeIco({dorvane::ProgramIconLarge(), dorvane::ProgramIconSmall()});
  std::FILE* file = std::fopen(path.c_str(), "wb");
  const bool written = file && std::fwrite(icon.data(), 1, icon.size(), file) == icon.size();
  const bool closed = file && std::fclose(file) == 0;
  if (!written || !closed) {
    std::fprintf(stderr, "dorvane-icon: cannot write %s\n", path.c_str());
    return 1;
  }
  return 0;
}
