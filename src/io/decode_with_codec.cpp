#include "io/codec_image.h"
#include "io/indexed_rows.h"
#include "io/loading.h"
#include "io/messages.h"

namespace wrimple {

// Pictures of 1, 4 and 8 bits are widened to 24 bits through their colour
// table, since placing a source reads 3 bytes per pixel.
bool DecodeWithCodec(State& st, Platform& pf, int n, const std::string& path, int format) {
  CodecImage image(path, format);
  if (!image.IsValid()) {
    pf.messages.ShowInfo(image.last_error());
    return false;
  }
  if (image.bits_per_pixel() == 16 || !ExpandableCodecDepth(image)) {
    pf.messages.ShowError("Cannot handle this type of image.");
    return false;
  }
  SourceImage& s = st.doc.Source(n);
  s.SourcePicture.reset();
  std::optional<PictureBlock> picture = AllocateDib(24, int(image.width()), int(image.height()));
  if (!picture) {
    pf.messages.ShowError(text::kOutOfMemory);
    return false;
  }
  const int row_length = RowLength24(int(image.width()));
  for (std::uint32_t y = 0; y < image.height(); ++y)
    ExpandCodecRow(image, y, picture->bits() + std::size_t(y) * row_length);
  s.SourcePicture = std::move(picture);
  return true;
}

}  // namespace wrimple
