#include "effects/effects1_dialog.h"

#include <algorithm>

namespace wrimple {

effects::effects(State& st, Platform& pf) : st_(st), pf_(pf) { SnapshotTarget(st_); }

void effects::SetPosition(Spin spin, int value) {
  positions_[spin] = std::clamp(value, kRanges[spin].lowest, kRanges[spin].highest);
}

void effects::OnSpinClick(Spin spin, int step) {
  SetPosition(spin, positions_[spin] + step);
  OnHScroll();
}

Effects1Parameters effects::parameters() const {
  // The handler reads the low byte of each control's position.
  auto low_byte = [this](Spin s) { return positions_[s] & 255; };
  return Effects1Parameters{.vitreous1 = low_byte(kVitreous1),
                            .vitreous2 = low_byte(kVitreous2),
                            .tear = low_byte(kTear),
                            .segment = low_byte(kSegment),
                            .scatter = low_byte(kScatter)};
}

void effects::OnHScroll() {
  SpecialEffects1(st_.Backup(), st_.Target(), parameters(), pf_.random);
  st_.TargetModified = true;
  pf_.view.RedrawView();
}

void effects::OnReset() {
  positions_.fill(0);
  RestoreFromSnapshot(st_);
  pf_.view.RedrawView();
}

}  // namespace wrimple
