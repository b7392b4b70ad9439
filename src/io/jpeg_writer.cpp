// JPEG output through libjpeg-turbo: quality 90, the library's default 4:2:0
// chroma subsampling, baseline (not progressive), no Huffman optimisation.
// jpeglib.h needs size_t and FILE declared before it.
#include <cstddef>
#include <cstdio>

#include <jpeglib.h>

#include "io/imaging.h"
#include "io/jpeg_errors.h"

namespace wrimple {

namespace {

constexpr int kJpegQuality = 90;

// No objects with destructors live here: the error manager longjmps to it.
bool Compress(jpeg_compress_struct& info, JpegErrors& errors, std::FILE* file, const BgrRows& rows) {
  if (setjmp(errors.jump)) return false;
  jpeg_create_compress(&info);
  jpeg_stdio_dest(&info, file);
  info.image_width = JDIMENSION(rows.width);
  info.image_height = JDIMENSION(rows.height);
  info.input_components = 3;
  info.in_color_space = JCS_EXT_BGR;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, kJpegQuality, TRUE);
  jpeg_start_compress(&info, TRUE);
  while (info.next_scanline < info.image_height) {
    JSAMPROW row = const_cast<JSAMPROW>(rows.row(int(info.next_scanline)));
    jpeg_write_scanlines(&info, &row, 1);
  }
  jpeg_finish_compress(&info);
  return true;
}

}  // namespace

bool WriteJpeg(std::FILE* file, const BgrRows& rows) {
  JpegErrors errors;
  jpeg_compress_struct info{};
  info.err = InstallJpegErrors(&errors);
  const bool written = Compress(info, errors, file, rows);
  jpeg_destroy_compress(&info);
  return written && std::fflush(file) == 0 && !std::ferror(file);
}

}  // namespace wrimple
