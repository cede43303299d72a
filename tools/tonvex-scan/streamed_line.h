// A sound file played as a line without holding it whole: the sound card reads it forward
// only, so a window of what was read and not yet heard is all that is kept.
#pragma once

#include <cstdint>
#include <vector>

#include "line_wave_in.h"
#include "sound_file.h"

namespace scan {

class StreamedLine : public sim::Line {
 public:
  // The reader is not owned and must outlive the line.
  explicit StreamedLine(sim::LineReader& reader) : reader_(reader) {}
  // Samples before `first` may be forgotten once read; silence follows the file's end.
  void Read(uint64_t first, uint8_t* out, size_t count) const override;

 private:
  sim::LineReader& reader_;
  mutable std::vector<uint8_t> window_;
  mutable uint64_t windowStart_ = 0;  // the line sample at window_[0]
  mutable bool ended_ = false;
};

}  // namespace scan
