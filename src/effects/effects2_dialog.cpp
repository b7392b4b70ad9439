#include "effects/effects2_dialog.h"

#include "effects/effects2.h"

namespace wrimple {

effects2::effects2(State& st, Platform& pf) : st_(st), pf_(pf) { SnapshotTarget(st_); }

bool effects2::ExchangeFields() {
  return frequency_.Exchange(pf_.messages) && amplitude_.Exchange(pf_.messages);
}

void effects2::OnAmplitudeArrow(int step) {
  amplitude_.Arrow(step);
  amplitude_.Refresh();
  frequency_.Refresh();
  OnTry();
}

void effects2::OnFrequencyArrow(int step) {
  frequency_.Arrow(step);
  amplitude_.Refresh();
  frequency_.Refresh();
  OnTry();
}

bool effects2::OnTry() {
  pf_.progress.FillProgressPane(kProgressIdle, 100);
  if (!ExchangeFields()) return false;
  RunPerturbation(st_, pf_, amplitude_.value(), frequency_.value());
  return true;
}

bool effects2::OnDone() {
  OnTry();
  return ExchangeFields();
}

void effects2::OnCancel() {
  RestoreFromSnapshot(st_);
  pf_.view.RedrawView();
  pf_.progress.FillProgressPane(kProgressIdle, 100);
}

}  // namespace wrimple
