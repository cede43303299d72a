// A DTMF decoder built on SpanDSP, for comparison: reads signed 16-bit mono samples at 8000 Hz
// from a raw file and prints the digits it hears, one a line.
#include <spandsp.h>

#include <cstdio>
#include <vector>

namespace {

void PrintDigits(void*, const char* digits, int length) {
  for (int i = 0; i < length; ++i) std::printf("%c\n", digits[i]);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: spandsp_dtmf FILE.raw (s16, 8000 Hz, mono)\n");
    return 2;
  }
  std::FILE* file = std::fopen(argv[1], "rb");
  if (!file) {
    std::perror(argv[1]);
    return 2;
  }
  dtmf_rx_state_t* receiver = dtmf_rx_init(nullptr, PrintDigits, nullptr);
  std::vector<int16_t> block(8000);
  size_t got;
  while ((got = std::fread(block.data(), sizeof(int16_t), block.size(), file)) > 0) {
    dtmf_rx(receiver, block.data(), static_cast<int>(got));
  }
  std::fclose(file);
  dtmf_rx_free(receiver);
  return 0;
}
