// Geometry of the rotate dialog's dial: the angle picked by a point in its ring
// and the end point of its needle. Angles count clockwise from the top, in
// degrees, with screen y growing downwards.
#pragma once

#include <optional>

#include "document/platform.h"

namespace wrimple {

// The angle (0 up to 360) of a point (x, y) in the wheel's own coordinates, for
// a wheel of the given size; nothing for the centre and outside the ring
// between half the radius and the radius.
std::optional<float> WheelAngleAt(Size wheel, int x, int y);

// The outer end of the needle that shows an angle; it starts at the centre.
Point WheelNeedleEnd(Size wheel, float shown_angle);

// The needle's pen: 5 pixels wide, red 128, green 239, blue 192.
inline constexpr int kNeedleWidth = 5;
inline constexpr ColorRef kNeedleColor = MakeColorRef(128, 239, 192);

}  // namespace wrimple
