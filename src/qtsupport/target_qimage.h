// Turning the bottom-up blue-green-red target rows into Qt images, for the
// screen and for printed pages.
#pragma once

#include <QImage>
#include <QRect>

#include "document/pixels.h"

namespace wrimple {

// Converts the part `area` of the picture (top-down coordinates, clipped to the
// picture) into `out`, reusing its memory when it is already large enough. The
// result is an RGB32 image of the clipped area's size.
void ConvertTargetArea(ConstTargetImage picture, const QRect& area, QImage& out);

// The whole picture as a new RGB32 image.
QImage TargetToQImage(ConstTargetImage picture);

}  // namespace wrimple
