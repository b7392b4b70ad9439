#include "effects/dapple.h"

#include <algorithm>
#include <vector>

#include "effects/mt19937.h"
#include "effects/mt19937_range.h"

namespace wrimple {

namespace {

constexpr std::uint32_t kSeedX = 2537;
constexpr std::uint32_t kSeedY = 1701;
constexpr std::uint32_t kSeedDirection = 1701;
constexpr int kMaxWalkSteps = 128;
// Walks started ahead of the one running whose start pixel is fetched early.
constexpr int kPrefetchDistance = 8;

// Steps for the low 3 bits of a direction draw; up is towards row 0.
constexpr int kStepX[8] = {-1, 0, 1, -1, 1, -1, 0, 1};
constexpr int kStepY[8] = {-1, -1, -1, 0, 0, 1, 1, 1};

struct WalkStart {
  int x, y;
};

// The channel after k steps: trunc(c0 x (k + 128) / 128 - k) in single
// precision, clamped. Every term is an exact small number, so this is the
// plain formula, tabled per step.
struct PushedColours {
  std::uint8_t value[kMaxWalkSteps][256];
  PushedColours() {
    for (int k = 0; k < kMaxWalkSteps; ++k)
      for (int c = 0; c < 256; ++c)
        value[k][c] = ClampByte(int(float(c * (k + 128)) * 0.0078125f - float(k)));
  }
};

const PushedColours& Pushed() {
  static const PushedColours table;
  return table;
}

// The tolerance (D + 10) x 8, a single-precision value that falls by 1 per
// step. The colour difference and the tolerance are whole numbers, the
// difference within -765..765, and a walk lowers the tolerance at most 128
// times: whole-number arithmetic with the tolerance kept within -1024..1024
// decides every step as the float comparison does, and a size typed far out
// of range cannot overflow.
int WalkLimit(int size) { return int(std::clamp<std::int64_t>((std::int64_t(size) + 10) * 8, -1024, 1024)); }

class DappleWalker {
 public:
  DappleWalker(ConstTargetImage snapshot, TargetImage target, int size)
      : snapshot_(snapshot), target_(target), direction_(kSeedDirection),
        first_limit_(WalkLimit(size)) {}

  void Walk(WalkStart s) {
    const std::uint8_t* start = snapshot_.pixel(s.x, s.y);
    const int b0 = start[0], g0 = start[1], r0 = start[2];
    const PushedColours& pushed = Pushed();
    const int width = snapshot_.width(), height = snapshot_.height();
    int limit = first_limit_;
    int x = s.x, y = s.y;
    for (int k = 0; k < kMaxWalkSteps; ++k) {
      const int d = DrawInRange(direction_, 0, 256) & 7;
      x += kStepX[d], y += kStepY[d];
      if (unsigned(x) >= unsigned(width) || unsigned(y) >= unsigned(height)) return;
      --limit;
      const std::uint8_t* p = snapshot_.pixel(x, y);
      const int delta = (r0 - p[2]) + (g0 - p[1]) + (b0 - p[0]);
      if (!(-limit < delta && delta < limit)) return;
      WritePixel(target_.pixel(x, y), Bgr{pushed.value[k][b0], pushed.value[k][g0], pushed.value[k][r0]});
    }
  }

  void Prefetch(WalkStart s) const { __builtin_prefetch(snapshot_.pixel(s.x, s.y)); }

 private:
  ConstTargetImage snapshot_;
  TargetImage target_;
  Mt19937 direction_;
  int first_limit_;
};

}  // namespace

void PaintDapples(ConstTargetImage snapshot, TargetImage target, int size, ProgressPane& progress) {
  const int width = snapshot.width();
  const int height = snapshot.height();
  const int groups = height / 4;
  const int walks_per_group = width / 4;
  Mt19937 engine_x(kSeedX);
  Mt19937 engine_y(kSeedY);
  DappleWalker walker(snapshot, target, size);
  // The start points come from their own two engines, so a group's starts can
  // be drawn first, in their order, and fetched ahead of their walks.
  std::vector<WalkStart> starts(std::size_t(walks_per_group) + kPrefetchDistance);
  for (int g = 0; g < groups; ++g) {
    for (int i = 0; i < walks_per_group; ++i) {
      const int x = DrawInRange(engine_x, 0, std::uint32_t(width));
      const int y = DrawInRange(engine_y, 0, std::uint32_t(height));
      starts[std::size_t(i)] = {x, y};
    }
    for (int i = 0; i < kPrefetchDistance; ++i) starts[std::size_t(walks_per_group + i)] = starts[0];
    for (int i = 0; i < walks_per_group; ++i) {
      walker.Prefetch(starts[std::size_t(i + kPrefetchDistance)]);
      walker.Walk(starts[std::size_t(i)]);
    }
    progress.FillProgressPane(kProgressWorking, 100 * g / groups);
  }
}

void RunDapple(State& st, Platform& pf, int size) {
  RestoreFromSnapshot(st);
  pf.progress.FillProgressPane(kProgressIdle, 100);
  PaintDapples(st.Backup(), st.Target(), size, pf.progress);
  pf.progress.FillProgressPane(kProgressIdle, 100);
  st.TargetModified = true;
  pf.view.RedrawView();
}

}  // namespace wrimple
