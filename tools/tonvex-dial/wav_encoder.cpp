#include "wav_encoder.h"

#include <sndfile.h>

#include <algorithm>
#include <cstring>
#include <memory>

#include "line_format.h"

namespace dial {
namespace {

// libsndfile writes the header last and seeks back to it; a pipe cannot do that, so the file
// is built in memory first.
struct MemoryFile {
  std::vector<uint8_t>& bytes;
  sf_count_t position = 0;
};

MemoryFile& Of(void* user) { return *static_cast<MemoryFile*>(user); }

sf_count_t Length(void* user) { return static_cast<sf_count_t>(Of(user).bytes.size()); }

sf_count_t Seek(sf_count_t offset, int whence, void* user) {
  MemoryFile& file = Of(user);
  sf_count_t base = 0;
  if (whence == SEEK_CUR) base = file.position;
  if (whence == SEEK_END) base = static_cast<sf_count_t>(file.bytes.size());
  if (base + offset < 0) return -1;
  file.position = base + offset;
  return file.position;
}

sf_count_t Read(void* destination, sf_count_t count, void* user) {
  MemoryFile& file = Of(user);
  const sf_count_t size = static_cast<sf_count_t>(file.bytes.size());
  const sf_count_t available = std::max<sf_count_t>(0, std::min(count, size - file.position));
  if (available > 0) std::memcpy(destination, file.bytes.data() + file.position, available);
  file.position += available;
  return available;
}

sf_count_t Write(const void* source, sf_count_t count, void* user) {
  MemoryFile& file = Of(user);
  const size_t end = static_cast<size_t>(file.position + count);
  if (end > file.bytes.size()) file.bytes.resize(end);
  std::memcpy(file.bytes.data() + file.position, source, static_cast<size_t>(count));
  file.position += count;
  return count;
}

sf_count_t Tell(void* user) { return Of(user).position; }

struct SndFileCloser {
  void operator()(SNDFILE* file) const { sf_close(file); }
};

}  // namespace

bool EncodeWav(const std::vector<uint8_t>& samples, std::vector<uint8_t>& file,
               std::string& error) {
  file.clear();
  MemoryFile memory{file};
  SF_VIRTUAL_IO io{Length, Seek, Read, Write, Tell};
  SF_INFO info{};
  info.samplerate = static_cast<int>(tonvex::kLineRate);
  info.channels = 1;
  info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_U8;
  std::unique_ptr<SNDFILE, SndFileCloser> sound(sf_open_virtual(&io, SFM_WRITE, &info, &memory));
  if (!sound) {
    error = sf_strerror(nullptr);
    return false;
  }
  // Raw bytes of an unsigned 8-bit file are the samples as they are.
  const sf_count_t count = static_cast<sf_count_t>(samples.size());
  if (sf_write_raw(sound.get(), samples.data(), count) != count) {
    error = sf_strerror(sound.get());
    return false;
  }
  if (sf_close(sound.release()) != 0) {
    error = "the WAV file could not be completed";
    return false;
  }
  return true;
}

}  // namespace dial
