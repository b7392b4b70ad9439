// "Special Effects 1": five spin controls whose every click recomputes the whole
// target from the snapshot taken when the dialog opened, with fresh random
// numbers. The desktop dialog and the runner drive this model.
#pragma once

#include <array>

#include "document/platform.h"
#include "document/state.h"
#include "effects/effects1.h"

namespace wrimple {

class effects {
 public:
  enum Spin { kVitreous1, kVitreous2, kTear, kSegment, kScatter, kSpinCount };
  struct Range {
    int lowest, highest;
  };
  static constexpr std::array<Range, kSpinCount> kRanges{
      Range{0, 15}, Range{0, 15}, Range{0, 7}, Range{0, 31}, Range{0, 15}};

  // Takes the snapshot; every spin starts at 0 and the target is unchanged.
  effects(State& st, Platform& pf);

  int position(Spin spin) const { return positions_[spin]; }
  // Moves a spin as its control does, within its range, without recomputing.
  void SetPosition(Spin spin, int value);
  // A click on a spin's arrow: the position moves by step (kept in range), then
  // the target is recomputed.
  void OnSpinClick(Spin spin, int step);
  // The scroll notification that every click sends: one recomputation from the
  // five current positions.
  void OnHScroll();
  // Spins back to 0 and the snapshot back in the target.
  void OnReset();
  Effects1Parameters parameters() const;

 private:
  State& st_;
  Platform& pf_;
  std::array<int, kSpinCount> positions_{};
};

}  // namespace wrimple
