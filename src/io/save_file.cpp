#include "io/codec_image.h"
#include "io/messages.h"
#include "io/saving.h"

namespace wrimple {

bool SaveFile(State& st, Platform& pf, const std::string& path, const std::string& extension,
              bool use_zone) {
  if (extension == "tif" || extension == "jpg" || extension == "bmp" || extension == "png") {
    if (!st.ImagingAvailable) {
      pf.messages.ShowError(text::kImagingMissing);
      return false;
    }
    return SaveWithImaging(st, pf, path, extension, use_zone);
  }
  const int format = extension == "tga" ? kCodecTga : extension == "pcx" ? kCodecPcx : kCodecUnknown;
  return SaveWithCodec(st, pf, path, format, use_zone);
}

}  // namespace wrimple
