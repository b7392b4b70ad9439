// Expansion of run-length encoded 8- and 4-bit bitmap data into an image's
// rows, bottom row first.
#pragma once

#include "io/codec_file.h"
#include "io/codec_image.h"

namespace wrimple {

// Reads the data from the stream's position into the (zero-filled) image of
// `bits` 8 or 4. Pixels that the data places outside the picture are dropped,
// and an escape that moves past the top row ends the picture. The error text,
// or nullptr on success.
const char* ExpandBmpRunLength(CodecFile& stream, int bits, CodecImage& image);

}  // namespace wrimple
