// The PCX codec: a CodecImage that fills itself from a PCX stream and
// writes itself as one.
#pragma once

#include "io/codec_file.h"
#include "io/codec_image.h"

namespace wrimple {

class CodecImagePCX : public CodecImage {
 public:
  // False with the error text set when the stream holds no PCX picture this
  // decoder can read.
  bool Decode(CodecFile* stream);
  bool Encode(CodecFile* stream);
};

}  // namespace wrimple
