#include "effects/dapple_dialog.h"

#include "effects/dapple.h"

namespace wrimple {

effects4::effects4(State& st, Platform& pf) : st_(st), pf_(pf) { SnapshotTarget(st_); }

void effects4::OnSizeEdited(std::string text) {
  size_.Type(std::move(text));
  try_enabled_ = true;
}

void effects4::OnArrow(int step) {
  size_.Arrow(step);
  size_.Refresh();
  try_enabled_ = true;
}

bool effects4::OnTry() {
  if (!try_enabled_) return false;
  RunTry();
  return true;
}

void effects4::RunTry() {
  size_.Exchange(pf_.messages);
  try_enabled_ = false;
  RunDapple(st_, pf_, size_.value());
}

bool effects4::OnDone() {
  RunTry();
  return size_.Exchange(pf_.messages);
}

void effects4::OnCancel() {
  RestoreFromSnapshot(st_);
  pf_.view.RedrawView();
  pf_.progress.FillProgressPane(kProgressIdle, 100);
}

}  // namespace wrimple
