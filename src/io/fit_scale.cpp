#include "io/loading.h"

namespace wrimple {

float FitScale(int target_width, int target_height, int width, int height) {
  const float horizontal = float(target_width) * 100.0f / float(width);
  const float vertical = float(target_height) * 100.0f / float(height);
  return vertical < horizontal ? vertical : horizontal;
}

}  // namespace wrimple
