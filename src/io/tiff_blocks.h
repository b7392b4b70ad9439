// Grey and RGB TIFF pictures of 8 or 16 bits per sample, read one strip or
// tile at a time straight from libtiff's decoded blocks.
#pragma once

#include <tiffio.h>

#include <cstddef>
#include <cstdint>

namespace wrimple {

struct SampleBlocks {
  bool readable = false;  // false: the picture needs libtiff's RGBA conversion
  int width = 0, height = 0;
  bool tiled = false;
  int block_width = 0, block_height = 0;  // a strip is the picture's width
  int colours = 0;                        // 1 grey, 3 RGB
  int sample_bytes = 0;                   // 1 or 2
  int samples = 0;                        // per pixel, extra samples included
  bool planes = false;                    // one block per sample instead of all together
  bool white_is_zero = false;
  std::size_t block_row_bytes = 0;        // of one plane when the samples are in planes
};

// How the picture's samples are laid out, from its header; `readable` only
// when every block size is sound.
SampleBlocks DescribeSampleBlocks(TIFF* tif, int width, int height);

// Decodes every block into the stored picture, top row first; false at the
// first block that cannot be decoded whole. Associated alpha, the first
// extra sample, is divided out of the colours; any other extra sample is
// left out.
bool ReadSampleBlocks(TIFF* tif, const SampleBlocks& blocks, bool associated_alpha, std::uint8_t* first_row,
                      std::ptrdiff_t stride);

// A channel stored premultiplied by alpha, both 0..max, back to its own value
// (0 where alpha is 0).
inline unsigned Unpremultiply(unsigned value, unsigned alpha, unsigned max) {
  if (alpha == max) return value;
  if (alpha == 0) return 0;
  const unsigned v = (value * max + alpha / 2) / alpha;
  return v > max ? max : v;
}

}  // namespace wrimple
