#include "compose/wheel.h"

#include <cmath>

#include "compose/truncate.h"

namespace wrimple {

std::optional<float> WheelAngleAt(Size wheel, int x, int y) {
  const int dx = x - wheel.width / 2, dy = y - wheel.height / 2;
  const int radius = wheel.height / 2;
  const int d = dx * dx + dy * dy;
  if (!(d > radius * radius / 4 && d < radius * radius)) return std::nullopt;
  float a = float(std::atan2(double(dy), double(dx)) * 180 / 3.14159) + 90;
  if (a < 0) a += 360;
  return a;
}

Point WheelNeedleEnd(Size wheel, float shown_angle) {
  const double phi = shown_angle * 3.14159 / 180 + 1.570795;
  const int length = (3 * wheel.width) / 8;
  return {wheel.width / 2 - TruncateToInt(std::cos(phi) * length),
          wheel.height / 2 - TruncateToInt(std::sin(phi) * length)};
}

}  // namespace wrimple
