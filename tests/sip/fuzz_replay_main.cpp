// Without libFuzzer: the fuzz target run over given files, every prefix of each and each
// file with one byte spoilt at a time.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

void Run(const std::string& input) {
  LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(input.data()), input.size());
}

void Replay(const std::string& bytes) {
  for (size_t length = 0; length <= bytes.size(); ++length) Run(bytes.substr(0, length));
  for (size_t at = 0; at < bytes.size(); ++at) {
    for (char spoilt : {'X', ',', ':', '9', '{', '"'}) {
      std::string changed = bytes;
      changed[at] = spoilt;
      Run(changed);
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  int files = 0;
  for (int arg = 1; arg < argc; ++arg) {
    for (const auto& entry : std::filesystem::directory_iterator(argv[arg])) {
      std::ifstream file(entry.path(), std::ios::binary);
      // A leading cut byte of 0x80 splits each recording in its middle region.
      Replay("\x80" + std::string(std::istreambuf_iterator<char>(file), {}));
      ++files;
    }
  }
  std::printf("replayed %d files\n", files);
  return files > 0 ? 0 : 1;
}
