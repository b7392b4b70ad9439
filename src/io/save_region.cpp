#include <cstdlib>

#include "io/saving.h"

namespace wrimple {

TargetRegion SaveRegion(const State& st, bool use_zone) {
  const WrimpleZone& z = st.zone;
  if (use_zone && std::abs(z.Y2 - z.Y1) > 9 && std::abs(z.X2 - z.X1) > 9)
    return {z.xmin(), z.ymin(), std::abs(z.X2 - z.X1), std::abs(z.Y2 - z.Y1)};
  return {0, 0, st.TargetWidth(), st.TargetHeight()};
}

}  // namespace wrimple
