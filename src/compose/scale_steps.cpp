#include "compose/scale_steps.h"

#include <algorithm>

#include "compose/truncate.h"

namespace wrimple {

float StepDownPercent(float width_percent, float height_percent) {
  const int qx = TruncateToInt(width_percent / 10.0f), qy = TruncateToInt(height_percent / 10.0f);
  return float(std::max(10 * std::max(qx, qy) - 10, 10));
}

float StepUpPercent(float width_percent, float height_percent) {
  const int qx = TruncateToInt(width_percent / 10.0f), qy = TruncateToInt(height_percent / 10.0f);
  return float(std::min(10 * (std::min(qx, qy) + 1), 1000));
}

int KeptOffset(int offset, float old_percent, float new_percent, int old_pixels, int new_pixels,
               int client) {
  const int half = client / 2;
  const float change = new_percent - old_percent;
  if (old_pixels - offset < half) return offset + TruncateToInt(float(new_pixels) * change / new_percent);
  return offset + TruncateToInt(float(std::max(0, half + offset)) * change / old_percent);
}

}  // namespace wrimple
