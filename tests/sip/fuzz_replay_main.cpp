// Without libFuzzer: the fuzz target run over given files, every prefix of each and each
// file with one byte spoilt at a time, by a character that matters to the format.
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
  const char spoilers[] = {'X', ',', ':', '9', '{', '"'};
  for (size_t at = 0; at < bytes.size(); ++at) {
    std::string changed = bytes;
    changed[at] = spoilers[at % sizeof spoilers];
    Run(changed);
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
