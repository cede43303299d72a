// Pictures on GTK: a loaded file as a GdkPixbuf, and the program's icon drawn into one.
#pragma once

#include <gdk-pixbuf/gdk-pixbuf.h>

#include <string>

#include "views.h"

namespace dorvane::linux_host {

class PixbufPicture : public Picture {
 public:
  explicit PixbufPicture(GdkPixbuf* pixbuf) : pixbuf_(pixbuf) {}  // takes the reference
  ~PixbufPicture() override { g_object_unref(pixbuf_); }
  PixbufPicture(const PixbufPicture&) = delete;
  PixbufPicture& operator=(const PixbufPicture&) = delete;
  GdkPixbuf* Pixbuf() const { return pixbuf_; }

 private:
  GdkPixbuf* pixbuf_;
};

// Fails with 53 when the file is missing and 481 when it holds no picture.
PictureRef LoadPixbufPicture(const std::string& path);
// The program icon, 16 or 32 pixels square; a new reference.
GdkPixbuf* ProgramIconPixbuf(bool large);

}  // namespace dorvane::linux_host
