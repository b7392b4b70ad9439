#include "effects/flip_vertical.h"

#include <cstring>

namespace wrimple {

void FlipVertical(ConstTargetImage from, TargetImage to, int threads) {
  const int height = to.height();
  const std::size_t pixel_bytes = 3 * std::size_t(to.width());
  ForEachTargetRow(height, threads,
             [&](int y) { std::memcpy(to.row(y), from.row(height - 1 - y), pixel_bytes); });
}

void OnFlipVertical(State& st, Platform& pf) {
  st.TargetModified = true;
  ClearZone(st);
  SnapshotTarget(st);
  FlipVertical(st.Backup(), st.Target());
  pf.view.RedrawView();
}

}  // namespace wrimple
