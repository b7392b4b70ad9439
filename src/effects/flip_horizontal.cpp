#include "effects/flip_horizontal.h"

namespace wrimple {

void FlipHorizontal(ConstTargetImage from, TargetImage to, int threads) {
  const int width = to.width();
  ForEachTargetRow(to.height(), threads, [&](int y) {
    const std::uint8_t* in = from.pixel(width - 1, y);
    std::uint8_t* out = to.row(y);
    for (int x = 0; x < width; ++x, in -= 3, out += 3) {
      out[0] = in[0];
      out[1] = in[1];
      out[2] = in[2];
    }
  });
}

void OnFlipHorizontal(State& st, Platform& pf) {
  st.TargetModified = true;
  ClearZone(st);
  SnapshotTarget(st);
  FlipHorizontal(st.Backup(), st.Target());
  pf.view.RedrawView();
}

}  // namespace wrimple
