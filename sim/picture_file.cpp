#include "picture_file.h"

#include <csetjmp>
#include <cstddef>
#include <cstdint>
#include <cstdio>

// jpeglib.h needs size_t and FILE declared before it, and jerror.h its configuration.
// clang-format off
#include <jpeglib.h>
#include <jerror.h>
// clang-format on

namespace sim {
namespace {

struct StrictErrors {
  jpeg_error_mgr Manager;
  std::jmp_buf Jump;
  bool Corrupt = false;
};

void JumpBack(j_common_ptr info) {
  std::longjmp(reinterpret_cast<StrictErrors*>(info->err)->Jump, 1);
}

// libjpeg decodes damaged or cut-off data with only a warning; the loader refuses such a file.
void NoteWarning(j_common_ptr info, int level) {
  if (level >= 0) return;
  auto* errors = reinterpret_cast<StrictErrors*>(info->err);
  switch (errors->Manager.msg_code) {
    case JWRN_ARITH_BAD_CODE:
    case JWRN_EXTRANEOUS_DATA:
    case JWRN_HIT_MARKER:
    case JWRN_HUFF_BAD_CODE:
    case JWRN_JPEG_EOF:
    case JWRN_MUST_RESYNC:
      errors->Corrupt = true;
      break;
    default:
      break;
  }
}

PictureCheck ReadJpeg(const std::vector<uint8_t>& bytes) {
  jpeg_decompress_struct info;
  StrictErrors errors;
  info.err = jpeg_std_error(&errors.Manager);
  errors.Manager.error_exit = JumpBack;
  errors.Manager.emit_message = NoteWarning;
  if (setjmp(errors.Jump)) {
    jpeg_destroy_decompress(&info);
    return {};
  }
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, bytes.data(), static_cast<unsigned long>(bytes.size()));
  jpeg_read_header(&info, TRUE);
  jpeg_start_decompress(&info);
  // From libjpeg's own pool: a longjmp must not skip a destructor.
  JSAMPARRAY row = (*info.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&info), JPOOL_IMAGE,
                                             info.output_width * info.output_components, 1);
  while (info.output_scanline < info.output_height) jpeg_read_scanlines(&info, row, 1);
  jpeg_finish_decompress(&info);
  const PictureCheck check = {true, static_cast<int>(info.output_width),
                              static_cast<int>(info.output_height)};
  jpeg_destroy_decompress(&info);
  return errors.Corrupt ? PictureCheck{} : check;
}

uint32_t Le32(const std::vector<uint8_t>& bytes, size_t at) {
  return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 |
         static_cast<uint32_t>(bytes[at + 3]) << 24;
}

uint16_t Le16(const std::vector<uint8_t>& bytes, size_t at) {
  return static_cast<uint16_t>(bytes[at] | bytes[at + 1] << 8);
}

bool KnownDepth(uint16_t bits) {
  return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

PictureCheck ReadBmp(const std::vector<uint8_t>& bytes) {
  constexpr size_t kFileHeaderSize = 14;
  constexpr uint32_t kInfoHeaderSize = 40;
  if (bytes.size() < kFileHeaderSize + kInfoHeaderSize) return {};
  const uint32_t pixelOffset = Le32(bytes, 10);
  const uint32_t headerSize = Le32(bytes, 14);
  const int32_t width = static_cast<int32_t>(Le32(bytes, 18));
  const int32_t height = static_cast<int32_t>(Le32(bytes, 22));
  const uint16_t bitsPerPixel = Le16(bytes, 28);
  const uint32_t compression = Le32(bytes, 30);
  if (headerSize < kInfoHeaderSize || width <= 0 || height == 0 || height == INT32_MIN ||
      !KnownDepth(bitsPerPixel)) {
    return {};
  }
  const uint64_t rows = height < 0 ? -static_cast<int64_t>(height) : height;
  // Run-length pixels state their size; plain rows are padded to whole 32-bit words.
  const bool runLength = compression == 1 || compression == 2;
  const uint64_t pixelBytes =
      runLength ? Le32(bytes, 34)
                : (static_cast<uint64_t>(width) * bitsPerPixel + 31) / 32 * 4 * rows;
  if (static_cast<uint64_t>(pixelOffset) + pixelBytes > bytes.size()) return {};
  return {true, width, static_cast<int>(rows)};
}

}  // namespace

PictureCheck ReadPicture(const std::vector<uint8_t>& bytes) {
  if (bytes.size() >= 2 && bytes[0] == 'B' && bytes[1] == 'M') return ReadBmp(bytes);
  if (bytes.size() >= 3 && bytes[0] == 0xFF && bytes[1] == 0xD8 && bytes[2] == 0xFF) {
    return ReadJpeg(bytes);
  }
  return {};
}

}  // namespace sim
