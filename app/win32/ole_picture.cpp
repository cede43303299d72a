#include "ole_picture.h"

#include <olectl.h>

#include "file_failure.h"
#include "runtime_error.h"
#include "text.h"
#include "unique_handle.h"

namespace dorvane::win32 {
namespace {

constexpr int kHimetricPerInch = 2540;

// The file's bytes in movable global memory, as a stream over them takes it.
HGLOBAL ReadWholeFile(const std::wstring& path, DWORD& size) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) throw FileFailure(GetLastError());
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) throw failure::PathFileAccessError();
  HANDLE opened = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  if (opened == INVALID_HANDLE_VALUE) throw FileFailure(GetLastError());
  const UniqueHandle file(opened);
  LARGE_INTEGER length = {};
  if (!GetFileSizeEx(file.get(), &length)) throw FileFailure(GetLastError());
  if (length.QuadPart > MAXDWORD / 2) throw failure::InvalidPicture();
  size = static_cast<DWORD>(length.QuadPart);
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size ? size : 1);
  if (!memory) throw failure::PathFileAccessError();
  DWORD read = 0;
  const BOOL ok = ReadFile(file.get(), GlobalLock(memory), size, &read, nullptr);
  const DWORD error = GetLastError();
  GlobalUnlock(memory);
  if (!ok || read != size) {
    GlobalFree(memory);
    throw FileFailure(ok ? ERROR_READ_FAULT : error);
  }
  return memory;
}

}  // namespace

OlePicture::OlePicture(ComPtr<IPicture> picture) : picture_(std::move(picture)) {
  picture_->get_Width(&width_);
  picture_->get_Height(&height_);
}

SIZE OlePicture::PixelSize() const {
  return {MulDiv(width_, 96, kHimetricPerInch), MulDiv(height_, 96, kHimetricPerInch)};
}

void OlePicture::Render(HDC dc, int x, int y, int width, int height) const {
  // HIMETRIC runs upwards: the source starts at the bottom edge with a negative height.
  picture_->Render(dc, x, y, width, height, 0, height_, width_, -height_, nullptr);
}

dorvane::PictureRef LoadPicture(const std::string& path) {
  DWORD size = 0;
  HGLOBAL memory = ReadWholeFile(Utf8ToWide(path), size);
  ComPtr<IStream> stream;
  if (FAILED(CreateStreamOnHGlobal(memory, TRUE, stream.Put()))) {
    GlobalFree(memory);
    throw failure::PathFileAccessError();
  }
  ComPtr<IPicture> picture;
  if (size == 0 || FAILED(OleLoadPicture(stream.Get(), static_cast<LONG>(size), FALSE, IID_IPicture,
                                         picture.PutVoid()))) {
    throw failure::InvalidPicture();
  }
  return std::make_shared<OlePicture>(std::move(picture));
}

}  // namespace dorvane::win32
