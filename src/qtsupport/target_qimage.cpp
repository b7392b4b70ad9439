#include "qtsupport/target_qimage.h"

#include <cstdint>

namespace wrimple {

void ConvertTargetArea(ConstTargetImage picture, const QRect& area, QImage& out) {
  const QRect clipped = area & QRect(0, 0, picture.width(), picture.height());
  if (clipped.isEmpty()) {
    out = QImage();
    return;
  }
  if (out.format() != QImage::Format_RGB32 || out.width() != clipped.width() ||
      out.height() != clipped.height())
    out = QImage(clipped.size(), QImage::Format_RGB32);
  const int width = clipped.width();
  for (int row = 0; row < clipped.height(); ++row) {
    const std::uint8_t* from = picture.pixel(clipped.left(), clipped.top() + row);
    auto* to = reinterpret_cast<std::uint32_t*>(out.scanLine(row));
    for (int x = 0; x < width; ++x, from += 3)
      to[x] = 0xff000000u | (std::uint32_t(from[2]) << 16) | (std::uint32_t(from[1]) << 8) |
              from[0];
  }
}

QImage TargetToQImage(ConstTargetImage picture) {
  QImage out;
  ConvertTargetArea(picture, QRect(0, 0, picture.width(), picture.height()), out);
  return out;
}

}  // namespace wrimple
