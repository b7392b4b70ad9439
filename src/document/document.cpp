#include "document/document.h"

namespace wrimple {

SourceImage::SourceImage() : SourcePlane(kImageBufferBytes) {}

void ResetPlacement(Cwrimple32Doc& doc, int n) {
  SourceImage& s = doc.Source(n);
  s.ScaleXPercent = 100.0f;
  s.ScaleYPercent = 100.0f;
  s.OffsetX = 0;
  s.OffsetY = 0;
  s.Flipped = 0;
  s.Angle = 0.0f;
}

}  // namespace wrimple
