// The steps that every one-shot filter command of the Target menu runs around
// its pixel pass, and the weighted brightness that several of them measure.
#pragma once

#include <array>

#include "document/platform.h"
#include "document/state.h"

namespace wrimple {

// Snapshot, the pass from the working copy into the target, TargetModified,
// redraw. A filter applied twice thus works on its own result.
template <typename Pass>
void RunTargetFilter(State& st, Platform& pf, const Pass& pass) {
  SnapshotTarget(st);
  pass(ConstTargetImage(st.Backup()), st.Target());
  st.TargetModified = true;
  pf.view.RedrawView();
}

// About 64 times a 0..255 brightness (0..16319): each channel's product with
// its weight truncated on its own, the three added. Each term depends on one
// byte, so the terms come from tables.
class WeightedBrightness {
 public:
  WeightedBrightness() {
    for (int v = 0; v < 256; ++v) {
      blue_[v] = int(7.04 * v);
      green_[v] = int(37.76 * v);
      red_[v] = int(19.2 * v);
    }
  }
  int Y64(const std::uint8_t* pixel) const { return blue_[pixel[0]] + green_[pixel[1]] + red_[pixel[2]]; }

 private:
  std::array<int, 256> blue_, green_, red_;
};

// The clamp of a channel moved by at most 255 either way (-255..510), as a
// table: cheaper than two comparisons per byte.
class ShiftedByteClamp {
 public:
  static constexpr int kLowest = -255;
  static constexpr int kHighest = 510;
  ShiftedByteClamp() {
    for (int v = kLowest; v <= kHighest; ++v) clamped_[std::size_t(v - kLowest)] = ClampByte(v);
  }
  std::uint8_t operator()(int v) const { return clamped_[std::size_t(v - kLowest)]; }

 private:
  std::array<std::uint8_t, kHighest - kLowest + 1> clamped_;
};

}  // namespace wrimple
