#include "io/indexed_rows.h"

#include <cstring>

namespace wrimple {

bool ExpandableCodecDepth(const CodecImage& image) {
  const int b = image.bits_per_pixel();
  return image.compression() == 0 && (b == 1 || b == 4 || b == 8 || b == 24);
}

void ExpandCodecRow(const CodecImage& image, std::uint32_t y, std::uint8_t* out) {
  const std::uint8_t* in = image.row(y);
  const std::uint32_t w = image.width();
  const int bits = image.bits_per_pixel();
  if (bits == 24) {
    std::memcpy(out, in, 3 * std::size_t(w));
    return;
  }
  // The decoders never store an index past the colours used; should one
  // appear it reads as black rather than past the table.
  const std::uint8_t* table = image.color_table();
  const std::uint32_t colors = image.colors_used();
  for (std::uint32_t x = 0; x < w; ++x, out += 3) {
    const std::uint32_t index = PackedIndex(in, x, bits);
    if (index < colors) {
      std::memcpy(out, table + 4 * std::size_t(index), 3);
    } else {
      out[0] = out[1] = out[2] = 0;
    }
  }
}

}  // namespace wrimple
