#include "pixbuf_picture.h"

#include <sys/stat.h>

#include "program_icon.h"
#include "runtime_error.h"

namespace dorvane::linux_host {

PictureRef LoadPixbufPicture(const std::string& path) {
  struct stat status;
  if (::stat(path.c_str(), &status) != 0) throw failure::FileNotFound();
  GError* error = nullptr;
  GdkPixbuf* pixbuf = gdk_pixbuf_new_from_file(path.c_str(), &error);
  if (!pixbuf) {
    const bool missing =
        error && error->domain == G_FILE_ERROR && error->code == G_FILE_ERROR_NOENT;
    g_clear_error(&error);
    throw missing ? failure::FileNotFound() : failure::InvalidPicture();
  }
  return std::make_shared<PixbufPicture>(pixbuf);
}

GdkPixbuf* ProgramIconPixbuf(bool large) {
  const tonvex::Image image = large ? ProgramIconLarge() : ProgramIconSmall();
  GdkPixbuf* pixbuf = gdk_pixbuf_new(GDK_COLORSPACE_RGB, TRUE, 8, image.Width, image.Height);
  guchar* pixels = gdk_pixbuf_get_pixels(pixbuf);
  const int stride = gdk_pixbuf_get_rowstride(pixbuf);
  for (int y = 0; y < image.Height; ++y) {
    for (int x = 0; x < image.Width; ++x) {
      guchar* pixel = pixels + y * stride + x * 4;
      const int8_t index = image.At(x, y);
      const tonvex::Rgb colour = index < 0 ? tonvex::Rgb{} : tonvex::kPalette[index];
      pixel[0] = colour.Red;
      pixel[1] = colour.Green;
      pixel[2] = colour.Blue;
      pixel[3] = index < 0 ? 0 : 255;
    }
  }
  return pixbuf;
}

}  // namespace dorvane::linux_host
