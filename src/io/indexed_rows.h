// Rows of a decoded codec picture (1, 4, 8 or 24 bits per pixel) as 24-bit
// blue, green, red; indexed pixels go through the picture's colour table.
#pragma once

#include <cstdint>

#include "io/codec_image.h"

namespace wrimple {

// Whether the picture's depth is one that ExpandCodecRow handles.
bool ExpandableCodecDepth(const CodecImage& image);

// Writes the width pixels of bitmap row y (0 = the bottom row) to out.
void ExpandCodecRow(const CodecImage& image, std::uint32_t y, std::uint8_t* out);

}  // namespace wrimple
