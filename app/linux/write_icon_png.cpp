// Writes the program icon as a PNG for the desktop's menus: write-icon-png FILE
#include <cstdio>

#include "pixbuf_picture.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: dorvane-icon-png FILE\n");
    return 2;
  }
  GdkPixbuf* icon = dorvane::linux_host::ProgramIconPixbuf(true);
  GError* error = nullptr;
  const bool saved = gdk_pixbuf_save(icon, argv[1], "png", &error, nullptr);
  g_object_unref(icon);
  if (!saved) {
    std::fprintf(stderr, "dorvane-icon-png: %s\n", error ? error->message : "cannot write");
    g_clear_error(&error);
    return 1;
  }
  return 0;
}
