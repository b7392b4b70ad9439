#include "effects/highlight.h"

#include <vector>

namespace wrimple {

namespace {

// A ramp value and its whole part (towards zero); the fraction rounds up with
// its own probability.
struct RampValue {
  float value;
  int whole;
};

RampValue Ramp(int position, int extent, int tilt) {
  const float value = (float(position) / float(extent) * 2.0f - 1.0f) * float(tilt) + 64.0f;
  return {value, int(value)};
}

int StochasticRound(RampValue ramp, int draw) {
  return (ramp.value - float(ramp.whole)) * 32767.0f > float(draw) ? ramp.whole + 1 : ramp.whole;
}

}  // namespace

void ApplyHighlight(ConstTargetImage from, TargetImage to, int horizontal_tilt, int vertical_tilt,
                    RandomGenerator& random) {
  const int width = to.width();
  const int height = to.height();
  // The horizontal ramp depends on the column only: computed once per call.
  std::vector<RampValue> columns(std::size_t(width), RampValue{});
  for (int x = 0; x < width; ++x) columns[std::size_t(x)] = Ramp(x, width, horizontal_tilt);
  // The draws are shared by every pixel in order, so the rows run on one thread.
  for (int y = 0; y < height; ++y) {
    const RampValue row_ramp = Ramp(y, height, vertical_tilt);
    const std::uint8_t* in = from.row(y);
    std::uint8_t* out = to.row(y);
    for (int x = 0; x < width; ++x) {
      const int ra = random.Rand();
      const int rb = random.Rand();
      const int v = StochasticRound(columns[std::size_t(x)], rb) + StochasticRound(row_ramp, ra);
      const int offset = 2 * v - 256;
      for (int c = 0; c < 3; ++c) out[3 * x + c] = ClampByte(in[3 * x + c] + offset);
    }
  }
}

void pos_bright_cont::OnButton(Control button) {
  switch (button) {
    case kBrightenUpwards: vertical_tilt_ -= kTiltStep; break;
    case kBrightenDownwards: vertical_tilt_ += kTiltStep; break;
    case kBrightenLeftwards: horizontal_tilt_ -= kTiltStep; break;
    case kBrightenRightwards: horizontal_tilt_ += kTiltStep; break;
    case kReset: horizontal_tilt_ = vertical_tilt_ = 0; break;
  }
  Recompute();
}

void pos_bright_cont::Recompute() {
  ApplyHighlight(st_.Backup(), st_.Target(), horizontal_tilt_, vertical_tilt_, pf_.random);
  st_.TargetModified = true;
  pf_.view.RedrawView();
}

void pos_bright_cont::OnOk() {
  st_.TargetModified = true;
  pf_.view.RedrawView();
}

void pos_bright_cont::OnCancel() {
  RestoreFromSnapshot(st_);
  pf_.view.RedrawView();
}

void RunHighlight(State& st, Platform& pf, const std::function<void(pos_bright_cont&)>& run_modal) {
  pos_bright_cont dialog(st, pf);
  SnapshotTarget(st);
  run_modal(dialog);
}

}  // namespace wrimple
