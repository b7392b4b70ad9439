// The body shared by the decoder fuzz targets: decode the input from memory with
// one format and, when that succeeds, read the first and last byte of the
// bitmap block and of the alpha plane, so that the sanitizers see a block
// smaller than the image claims.
#pragma once

#include <cstddef>
#include <cstdint>

#include "io/codec_image.h"

namespace wrimple {

inline void FuzzDecode(const std::uint8_t* data, std::size_t size, int format) {
  const CodecImage image(data, size, format);
  if (!image.IsValid()) return;
  const std::uint8_t* block = image.bitmap();
  unsigned sum = block[0] + block[image.bitmap_size() - 1] + image.row(image.height() - 1)[image.row_length() - 1];
  if (image.HasAlpha()) sum += image.alpha_row(image.height() - 1)[image.width() - 1];
  // The reads must happen even though nothing uses their sum.
  __asm__ volatile("" : : "r"(sum));
}

}  // namespace wrimple
