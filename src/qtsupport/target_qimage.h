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

namespace wrimple {

class State;

// The source preview of the part `area` of the target (clipped to it): every
// byte the average of the two source planes, (a + b) >> 1, source 1 alone
// counting twice when fewer than two sources are loaded.
void ConvertSourceAverageArea(const State& st, const QRect& area, QImage& out);

// The top-left area of source n's plane, as the peek panes show it.
void ConvertPlaneArea(ConstPlane plane, const QRect& area, QImage& out);

// A packed device-independent bitmap (information header, colour table, rows)
// as an image; a null image when the block is too short for what its header
// announces or uses a layout other than uncompressed 1, 4, 8, 24 or 32 bits.
QImage PackedDibToQImage(const std::uint8_t* block, std::size_t size);

}  // namespace wrimple
