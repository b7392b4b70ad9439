#include <cstring>

#include "io/clipboard_sources.h"

namespace wrimple {

bool MakeTargetPicture(State& st, int n, TargetPictureMode mode) {
  if (st.TargetWidth() == 0 || st.TargetHeight() == 0) return false;
  SourceImage& s = st.doc.Source(n);
  s.SourcePicture.reset();
  s.SourcePicture = AllocateDib(24, st.TargetWidth(), st.TargetHeight());
  if (!s.SourcePicture) return false;
  const ConstTargetImage target = st.Target();
  if (mode == TargetPictureMode::Snapshot) {
    std::memcpy(s.SourcePicture->bits(), target.bits(), target.byte_size());
    return true;
  }
  const TargetImage out(s.SourcePicture->bits(), target.width(), target.height());
  for (int y = 0; y < out.height(); ++y)
    for (int x = 0; x < out.width(); ++x) WritePixel(out.pixel(x, y), st.ReferenceColor);
  return true;
}

}  // namespace wrimple
