// Pictures as OLE loads them from files: the Windows side of the core's Picture.
#pragma once

#include <ocidl.h>
#include <windows.h>

#include <string>

#include "com_ptr.h"
#include "views.h"

namespace dorvane::win32 {

class OlePicture : public dorvane::Picture {
 public:
  explicit OlePicture(ComPtr<IPicture> picture);

  // The picture's size in pixels at 96 dots per inch.
  SIZE PixelSize() const;
  // Draws the whole picture, stretched to `width` by `height` pixels, its top-left corner at
  // (x, y).
  void Render(HDC dc, int x, int y, int width, int height) const;

 private:
  ComPtr<IPicture> picture_;
  OLE_XSIZE_HIMETRIC width_ = 0;
  OLE_YSIZE_HIMETRIC height_ = 0;
};

// Fails with 53 when the file is missing, 75 for a folder or a file that cannot be read, 70
// when access is denied, and 481 when the file holds no picture OLE knows.
dorvane::PictureRef LoadPicture(const std::string& path);

}  // namespace dorvane::win32
