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

// Reads buffered engine outputs in order, as the engine itself would give them.
struct BufferedOutputs {
  const std::uint32_t* next;
  std::uint32_t operator()() { return *next++; }
};

// The direction draws, reduced to their step index and kept in a window that
// always reaches a whole walk ahead. A walk reads its steps from the window
// and then gives back exactly the draws it used, so the engine's outputs are
// taken in the same order as one draw per step would take them.
class DirectionDraws {
 public:
  DirectionDraws() : engine_(kSeedDirection) {}

  // The next kMaxWalkSteps step indices, not yet used up.
  const std::uint8_t* Ahead() {
    if (end_ - next_ < kMaxWalkSteps) Refill();
    return steps_ + next_;
  }
  void Use(int count) { next_ += count; }

 private:
  static constexpr int kCapacity = 4096;
  // A draw of 256 values keeps every output (256 divides 2^32), so the window
  // holds exactly one output per step.
  static_assert(4294967295u % 256 == 255);

  void Refill() {
    const int kept = end_ - next_;
    std::copy(steps_ + next_, steps_ + end_, steps_);
    engine_.Fill(outputs_, kCapacity - kept);
    BufferedOutputs outputs{outputs_};
    for (int i = kept; i < kCapacity; ++i) steps_[i] = std::uint8_t(DrawInRange(outputs, 0, 256) & 7);
    next_ = 0;
    end_ = kCapacity;
  }

  Mt19937 engine_;
  int next_ = 0, end_ = 0;
  std::uint32_t outputs_[kCapacity];
  std::uint8_t steps_[kCapacity];
};

// One walk after another on the same picture. A walk first lays out its whole
// path from the draws ahead, fetching every pixel on it, so that the picture's
// memory is waited for once per walk rather than once per new row; then it
// follows the path while the colours stay similar.
class DappleWalker {
 public:
  DappleWalker(ConstTargetImage snapshot, TargetImage target, int size)
      : snapshot_(snapshot.bits()), target_(target.bits()), width_(snapshot.width()),
        height_(snapshot.height()), first_limit_(WalkLimit(size)) {
    for (int d = 0; d < 8; ++d) step_offset_[d] = 3 * kStepX[d] - snapshot.row_length() * kStepY[d];
  }

  void Walk(WalkStart s) {
    const std::uint8_t* steps = draws_.Ahead();
    const int inside = FarFromEdges(s) ? TraceInterior(s, steps) : TraceNearEdges(s, steps);
    const int painted = PaintSimilar(StartOffset(s), inside);
    // The step that ends a walk early has taken its draw too.
    draws_.Use(painted < kMaxWalkSteps ? painted + 1 : painted);
  }

  void Prefetch(WalkStart s) const { __builtin_prefetch(snapshot_ + StartOffset(s)); }

 private:
  std::ptrdiff_t StartOffset(WalkStart s) const {
    return std::ptrdiff_t(ConstTargetImage::Offset(s.x, s.y, width_, height_));
  }

  // A walk from here cannot leave the picture in kMaxWalkSteps steps.
  bool FarFromEdges(WalkStart s) const {
    return s.x >= kMaxWalkSteps && s.x < width_ - kMaxWalkSteps && s.y >= kMaxWalkSteps &&
           s.y < height_ - kMaxWalkSteps;
  }

  // Keeps step k's pixel and starts fetching it from both pictures.
  void Record(int k, std::ptrdiff_t offset) {
    offsets_[k] = std::int32_t(offset);
    __builtin_prefetch(snapshot_ + offset);
    __builtin_prefetch(target_ + offset, 1);
  }

  // Both trace the path into offsets_ and return how many of its pixels lie
  // inside the picture.
  int TraceInterior(WalkStart s, const std::uint8_t* steps) {
    std::ptrdiff_t offset = StartOffset(s);
    for (int k = 0; k < kMaxWalkSteps; ++k) {
      offset += step_offset_[steps[k]];
      Record(k, offset);
    }
    return kMaxWalkSteps;
  }

  int TraceNearEdges(WalkStart s, const std::uint8_t* steps) {
    int x = s.x, y = s.y;
    std::ptrdiff_t offset = StartOffset(s);
    for (int k = 0; k < kMaxWalkSteps; ++k) {
      const int d = steps[k];
      x += kStepX[d], y += kStepY[d];
      if (unsigned(x) >= unsigned(width_) || unsigned(y) >= unsigned(height_)) return k;
      offset += step_offset_[d];
      Record(k, offset);
    }
    return kMaxWalkSteps;
  }

  // Paints the leading traced pixels whose colour stays within the shrinking
  // tolerance; returns how many it painted.
  int PaintSimilar(std::ptrdiff_t start, int inside) {
    const std::uint8_t* snapshot = snapshot_;
    std::uint8_t* target = target_;
    const int b0 = snapshot[start], g0 = snapshot[start + 1], r0 = snapshot[start + 2];
    const int sum0 = b0 + g0 + r0;
    const std::uint8_t* pushed = &Pushed().value[0][0];
    int limit = first_limit_;
    for (int k = 0; k < inside; ++k) {
      --limit;
      const std::uint8_t* p = snapshot + offsets_[k];
      const int delta = sum0 - (p[0] + p[1] + p[2]);
      if (!(-limit < delta && delta < limit)) return k;
      std::uint8_t* q = target + offsets_[k];
      const std::uint8_t* row = pushed + 256 * k;
      q[0] = row[b0], q[1] = row[g0], q[2] = row[r0];
    }
    return inside;
  }

  const std::uint8_t* snapshot_;
  std::uint8_t* target_;
  int width_, height_;
  int first_limit_;
  int step_offset_[8];
  DirectionDraws draws_;
  std::int32_t offsets_[kMaxWalkSteps];
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
