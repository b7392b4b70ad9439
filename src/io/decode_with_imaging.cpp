#include "io/imaging.h"
#include "io/loading.h"
#include "io/messages.h"

namespace wrimple {

bool DecodeWithImaging(State& st, Platform& pf, int n, const std::string& path) {
  if (!st.ImagingAvailable) {
    pf.messages.ShowError(text::kImagingMissing);
    return false;
  }
  std::unique_ptr<ImageFileReader> reader = OpenImageFileReader(path);
  if (!reader) return false;
  std::optional<PictureBlock> picture = AllocateDib(24, reader->width(), reader->height());
  if (!picture) return false;
  // The decoder delivers the top row first; the picture keeps the bottom row
  // first, so the rows are written from the last one backwards. A file whose
  // pixels cannot all be decoded leaves the slot's picture as it was.
  const TargetImage layout(picture->bits(), reader->width(), reader->height());
  if (!reader->ReadRows(layout.row(0), -std::ptrdiff_t(layout.row_length()))) return false;
  st.doc.Source(n).SourcePicture = std::move(picture);
  return true;
}

}  // namespace wrimple
