#include "effects/effects3_dialog.h"

#include "effects/effects3.h"

namespace wrimple {

effects3::effects3(State& st, Platform& pf) : st_(st), pf_(pf) { SnapshotTarget(st_); }

void effects3::OnArrow(int step) {
  bands_.Arrow(step);
  bands_.Refresh();
  OnTry();
}

bool effects3::OnTry() {
  pf_.progress.FillProgressPane(kProgressIdle, 100);
  if (!bands_.Exchange(pf_.messages)) return false;
  RunBands(st_, pf_, bands_.value());
  return true;
}

bool effects3::OnDone() {
  OnTry();
  return bands_.Exchange(pf_.messages);
}

void effects3::OnCancel() {
  RestoreFromSnapshot(st_);
  pf_.view.RedrawView();
  pf_.progress.FillProgressPane(kProgressIdle, 100);
}

}  // namespace wrimple
