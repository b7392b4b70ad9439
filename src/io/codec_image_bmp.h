// The BMP codec: a CodecImage that fills itself from a BMP stream (with or
// without the 14-byte file header).
#pragma once

#include "io/codec_file.h"
#include "io/codec_image.h"

namespace wrimple {

class CodecImageBMP : public CodecImage {
 public:
  // False with the error text set when the stream holds no BMP picture this
  // decoder can read.
  bool Decode(CodecFile* stream);
  bool Encode(CodecFile* stream);
};

}  // namespace wrimple
