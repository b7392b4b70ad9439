// The TGA codec: a CodecImage that fills itself from a TGA stream and
// writes itself as one.
#pragma once

#include "io/codec_file.h"
#include "io/codec_image.h"

namespace wrimple {

class CodecImageTGA : public CodecImage {
 public:
  // False with the error text set when the stream holds no TGA picture this
  // decoder can read.
  bool Decode(CodecFile* stream);
  bool Encode(CodecFile* stream);
};

}  // namespace wrimple
