// PNG output through libpng: 8-bit RGB, fast compression (zlib level 1) with
// the sub filter, which keeps saving quick at a modest size cost.
#include <png.h>

#include "io/imaging.h"

namespace wrimple {

namespace {

void QuietWarning(png_structp, png_const_charp) {}
// Errors end in longjmp without the library's own report on standard error.
[[noreturn]] void QuietError(png_structp png, png_const_charp) { png_longjmp(png, 1); }

// No objects with destructors live here: libpng's errors longjmp back to it.
bool WriteAll(png_structp png, png_infop info, std::FILE* file, const BgrRows& rows) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_init_io(png, file);
  png_set_IHDR(png, info, png_uint_32(rows.width), png_uint_32(rows.height), 8,
               PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  png_set_compression_level(png, 1);
  png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_SUB);
  png_write_info(png, info);
  png_set_bgr(png);
  for (int y = 0; y < rows.height; ++y) png_write_row(png, const_cast<png_bytep>(rows.row(y)));
  png_write_end(png, info);
  return true;
}

}  // namespace

bool WritePng(std::FILE* file, const BgrRows& rows) {
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, QuietError, QuietWarning);
  if (!png) return false;
  png_infop info = png_create_info_struct(png);
  const bool written = info && WriteAll(png, info, file, rows);
  png_destroy_write_struct(&png, &info);
  return written && std::fflush(file) == 0;
}

}  // namespace wrimple
