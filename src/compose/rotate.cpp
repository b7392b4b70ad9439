#include "compose/rotate.h"

#include <cstdio>

#include "compose/recompose.h"
#include "compose/wheel.h"
#include "document/field_exchange.h"

namespace wrimple {

float StoredAngle(float shown) { return shown > 179 ? shown - 360 : shown; }

float ShownAngle(float stored) { return stored < 0 ? stored + 360 : stored; }

rotate::rotate(State& st, Platform& pf, int n) : st_(st), pf_(pf), n_(n) {
  saved_ = st.doc.Source(n).Angle;
  shown_ = ShownAngle(saved_);
  ShowAngle();
  RecomposeTarget(st, pf);
}

std::string rotate::label() const { return "Selected Source " + std::to_string(n_); }

void rotate::ShowAngle() {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.*g", 6, double(shown_));
  text_ = buffer;
}

// A refused entry keeps the shown angle.
bool rotate::ReadAngle() {
  double v = shown_;
  const std::string problem = ExchangeNumber(text_, kLowestAngle, kHighestAngle, v);
  if (!problem.empty()) {
    pf_.messages.ShowError(problem);
    return false;
  }
  shown_ = float(v);
  return true;
}

void rotate::ApplyAngle() {
  st_.doc.Source(n_).Angle = StoredAngle(shown_);
  RecomposeTarget(st_, pf_);
}

bool rotate::LeaveEdit() { return ReadAngle(); }

bool rotate::Apply() {
  if (!ReadAngle()) return false;
  ApplyAngle();
  return true;
}

void rotate::Preset(int degrees) {
  shown_ = float(degrees);
  ShowAngle();
  ApplyAngle();
}

bool rotate::Ok() {
  ApplyAngle();
  if (!ReadAngle()) return false;
  closed_ = true;
  return true;
}

void rotate::Cancel() {
  st_.doc.Source(n_).Angle = saved_;
  PlaceSource(st_, n_);
  closed_ = true;
}

void rotate::PickOnWheel(Size wheel, int x, int y) {
  const std::optional<float> angle = WheelAngleAt(wheel, x, y);
  if (!angle) return;
  shown_ = *angle;
  ApplyAngle();
  ShowAngle();
}

void rotate::WheelPress(Size wheel, int x, int y) {
  dragging_ = true;
  PickOnWheel(wheel, x, y);
}

void rotate::WheelMove(Size wheel, int x, int y) {
  if (dragging_) PickOnWheel(wheel, x, y);
}

void rotate::WheelRelease() { dragging_ = false; }

void RotateSource(State& st, Platform& pf, int n, const std::function<void(rotate&)>& run_dialog) {
  if (!st.TargetLock) {
    const char* question = n == 1 ? "Rotating source 1 now will overwrite your previous changes to "
                                    "the Target.\nIs this OK ??"
                                  : "Rotating source 2 now will overwrite your previous changes to "
                                    "the Target.\nIs this OK ??";
    if (st.TargetModified && !pf.messages.AskYesNo(question)) return;
    st.TargetModified = false;
  }
  SnapshotTarget(st);
  st.SourcePreview = true;
  {
    rotate dialog(st, pf, n);
    st.ActiveRotateDialog = &dialog;
    run_dialog(dialog);
    if (!dialog.closed()) dialog.Cancel();
    st.ActiveRotateDialog = nullptr;
  }
  st.SourcePreview = false;
  st.tips.PreviewTip.Empty();
  RecomposeTarget(st, pf);
}

}  // namespace wrimple
