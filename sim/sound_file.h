// Reads a sound file as the line a sound card would record: mono, 11025 Hz, unsigned 8 bits.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace sim {

struct LineRecording {
  std::vector<uint8_t> samples;
  std::string error;  // empty on success: why the file could not be read
};

// The most samples a whole recording may hold in memory: 256 MiB, over six hours of line.
constexpr size_t kMaxLineSamples = size_t{256} << 20;

// A file whose line would hold more than kMaxLineSamples is refused with an error.
LineRecording ReadLineRecording(const std::string& path);

// The same conversion piece by piece, so a long file needs no room of its own.
class LineReader {
 public:
  LineReader();
  ~LineReader();
  LineReader(const LineReader&) = delete;
  LineReader& operator=(const LineReader&) = delete;

  // False, with Error() saying why, when the file cannot be read.
  bool Open(const std::string& path);
  // Fills `out` with up to `count` samples and tells how many; 0 at the end of the file or on a
  // failure, which Error() then names.
  size_t Read(uint8_t* out, size_t count);
  const std::string& Error() const { return error_; }
  // About how many samples the file holds, when it says; 0 when it does not.
  size_t LengthHint() const;
  // How many samples a file already in the line's format holds; 0 for any other file.
  uint64_t ExactLength() const;

 private:
  struct Source;
  // Converts the next chunk of the file into pending_; false when nothing more will come.
  bool Refill();

  std::unique_ptr<Source> source_;
  std::vector<uint8_t> pending_;
  size_t pendingStart_ = 0;
  std::string error_;
};

// The rest of an opened file, whole.
LineRecording ReadLineRecording(LineReader& reader);

// Nearest 8-bit code of a sample in -1..1, clipped.
uint8_t QuantiseToUnsigned8(double sample);

}  // namespace sim
