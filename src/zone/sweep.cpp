#include "zone/sweep.h"

namespace wrimple {

namespace {

bool InsideTarget(const State& st, int x, int y) {
  return x >= 0 && x < st.TargetWidth() && y >= 0 && y < st.TargetHeight();
}

// Adds the target pixel (x, y) to the sums; the reference colour becomes their
// average with the current divisor, and the divisor counts on.
void TakePixel(State& st, int x, int y) {
  SweepSum& sum = st.sweep_sum;
  const std::uint8_t* p = st.Target().pixel(x, y);
  sum.S0 += p[0];
  sum.S1 += p[1];
  sum.S2 += p[2];
  st.ReferenceColor =
      Bgr{std::uint8_t(sum.S0 / sum.C), std::uint8_t(sum.S1 / sum.C), std::uint8_t(sum.S2 / sum.C)};
  sum.C += 1;
  st.SweepX = x;
  st.SweepY = y;
}

}  // namespace

void StartSweep(State& st, int x, int y) {
  if (!InsideTarget(st, x, y)) {
    st.SweepX = st.SweepY = -1;
    return;
  }
  st.sweep_sum = SweepSum{.C = 1};
  st.SweepActive = true;
  TakePixel(st, x, y);
  st.zone.X1 = st.zone.X2 = x;
  st.zone.Y1 = st.zone.Y2 = y;
}

void SweepStep(State& st, int x, int y) {
  if (!st.SweepActive) return;
  if (!InsideTarget(st, x, y)) {
    st.SweepX = st.SweepY = -1;
    return;
  }
  TakePixel(st, x, y);
}

void EndSweep(State& st) { st.SweepActive = false; }

}  // namespace wrimple
