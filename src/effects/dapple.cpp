#include "effects/dapple.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

#include "document/simd.h"
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
// Steps looked at together when finding where a walk stops.
constexpr int kLanes = 8;
static_assert(kMaxWalkSteps % kLanes == 0);

// Steps for the low 3 bits of a direction draw; up is towards row 0.
constexpr int kStepX[8] = {-1, 0, 1, -1, 1, -1, 0, 1};
constexpr int kStepY[8] = {-1, -1, -1, 0, 0, 1, 1, 1};

// The byte offset of a step in each direction, rows being stored bottom up.
std::array<int, 8> StepOffsets(int row_length) {
  std::array<int, 8> offsets;
  for (int d = 0; d < 8; ++d) offsets[std::size_t(d)] = 3 * kStepX[d] - row_length * kStepY[d];
  return offsets;
}

struct WalkStart {
  int x, y;
};

// The channel after k steps: trunc(c0 x (k + 128) / 128 - k) in single
// precision, clamped. Every term is an exact small number, so the value is
// c0 + k (c0 - 128) / 128 exactly; where it is not negative its truncation is
// c0 + floor(k (c0 - 128) / 128), and where it is negative both clamp to 0.
// That floor is an arithmetic shift of a product within 16 bits, and packing
// with unsigned saturation clamps, so eight steps of a channel take a few
// vector operations. Writes steps 0 .. count - 1 rounded up to whole groups of
// kLanes, each as blue | green << 8 | red << 16.
#if WRIMPLE_SSE2
void PushedColours(int b0, int g0, int r0, int count, std::uint32_t* colours) {
  const __m128i lane = _mm_setr_epi16(0, 1, 2, 3, 4, 5, 6, 7);
  const auto channel = [](__m128i steps, int c0) {
    const __m128i push = _mm_srai_epi16(_mm_mullo_epi16(steps, _mm_set1_epi16(std::int16_t(c0 - 128))), 7);
    const __m128i value = _mm_add_epi16(push, _mm_set1_epi16(std::int16_t(c0)));
    return _mm_packus_epi16(value, value);
  };
  for (int k = 0; k < count; k += kLanes) {
    const __m128i steps = _mm_add_epi16(lane, _mm_set1_epi16(std::int16_t(k)));
    const __m128i blue_green = _mm_unpacklo_epi8(channel(steps, b0), channel(steps, g0));
    const __m128i red = _mm_unpacklo_epi8(channel(steps, r0), _mm_setzero_si128());
    _mm_storeu_si128(reinterpret_cast<__m128i*>(colours + k), _mm_unpacklo_epi16(blue_green, red));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(colours + k + 4), _mm_unpackhi_epi16(blue_green, red));
  }
}
#else
// The same in 16-bit integers one step at a time: the product wraps to 16 bits
// and the shift is arithmetic, as in the lanes.
void PushedColours(int b0, int g0, int r0, int count, std::uint32_t* colours) {
  const auto channel = [](int k, int c0) {
    const auto push = std::int16_t(std::int16_t(std::int16_t(k) * std::int16_t(c0 - 128)) >> 7);
    return std::uint32_t(std::clamp(std::int16_t(push + c0), std::int16_t(0), std::int16_t(255)));
  };
  const int whole_groups = (count + kLanes - 1) / kLanes * kLanes;
  for (int k = 0; k < whole_groups; ++k)
    colours[k] = channel(k, b0) | channel(k, g0) << 8 | channel(k, r0) << 16;
}
#endif

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
// taken in the same order as one draw per step would take them. Beside each
// draw the window keeps the sum of the byte offsets of the steps before it
// (modulo 2^32), so that a walk far from the edges finds the pixel after any
// of its steps with one subtraction.
class DirectionDraws {
 public:
  explicit DirectionDraws(const std::array<int, 8>& step_offset) : engine_(kSeedDirection) {
    for (int d = 0; d < 8; ++d) step_offset_[d] = std::uint32_t(step_offset[std::size_t(d)]);
  }

  // Makes the next kMaxWalkSteps draws available.
  void Ahead() {
    if (end_ - next_ < kMaxWalkSteps) Add();
  }
  // Draws a batch more while few wait. A walk calls this while its pixels are
  // on their way, which takes the drawing off the path from one walk's end to
  // the next walk's fetches; a walk uses fewer draws than a batch on average,
  // so Ahead seldom has to draw.
  void TopUp() {
    if (end_ - next_ < kStock) Add();
  }
  // The step indices of the draws ahead.
  const std::uint8_t* Steps() const { return steps_ + next_; }
  // Moved()[i] - Moved()[0] is the byte offset the first i draws ahead travel.
  const std::uint32_t* Moved() const { return moved_ + next_; }
  void Use(int count) { next_ += count; }

 private:
  static constexpr int kBatch = kMaxWalkSteps;
  static constexpr int kStock = 2 * kMaxWalkSteps;
  static constexpr int kCapacity = 4096;
  // A draw of 256 values keeps every output (256 divides 2^32), so the window
  // holds exactly one output per step.
  static_assert(4294967295u % 256 == 255);

  void Add() {
    if (end_ + kBatch > kCapacity) {
      std::copy(steps_ + next_, steps_ + end_, steps_);
      std::copy(moved_ + next_, moved_ + end_ + 1, moved_);
      end_ -= next_;
      next_ = 0;
    }
    std::uint32_t outputs[kBatch];
    engine_.Fill(outputs, kBatch);
    BufferedOutputs drawn{outputs};
    // Locals, which the stores into the window cannot be taken to change.
    std::uint32_t step_offset[8];
    std::copy(step_offset_, step_offset_ + 8, step_offset);
    std::uint32_t moved = moved_[end_];
    for (int i = end_; i < end_ + kBatch; ++i) {
      const int d = DrawInRange(drawn, 0, 256) & 7;
      steps_[i] = std::uint8_t(d);
      moved += step_offset[d];
      moved_[i + 1] = moved;
    }
    end_ += kBatch;
  }

  Mt19937 engine_;
  std::uint32_t step_offset_[8];
  int next_ = 0, end_ = 0;
  std::uint8_t steps_[kCapacity];
  std::uint32_t moved_[kCapacity + 1] = {};
};

// One walk after another on the same picture. A walk first lays out its path
// from the draws ahead and starts fetching every snapshot pixel on it, so
// that the snapshot is waited for once per walk rather than once per new row.
// While those pixels come, it paints the walk before it, whose target pixels
// were fetched meanwhile, and draws further directions. Then it finds, eight
// steps at a time, the first step whose colour is not similar, fetches the
// target pixels it will paint and leaves its painting to the next walk. The
// walks are still painted in their order and no walk reads the target (a
// different buffer from the snapshot), so the picture is the one painting
// each walk straight away gives.
class DappleWalker {
 public:
  DappleWalker(ConstTargetImage snapshot, TargetImage target, int size)
      : snapshot_(snapshot.bits()), target_(target.bits()), width_(snapshot.width()),
        height_(snapshot.height()), reach_(std::clamp(WalkLimit(size) - 1, 0, kMaxWalkSteps)),
        step_offset_(StepOffsets(snapshot.row_length())), draws_(step_offset_) {
    for (int k = 0; k < kMaxWalkSteps; ++k) limits_[k] = std::int16_t(WalkLimit(size) - 1 - k);
  }

  void Walk(WalkStart s) {
    draws_.Ahead();
    const std::ptrdiff_t start = StartOffset(s);
    const bool interior = FarFromEdges(s);
    const int inside = interior ? TraceInterior(start) : TraceNearEdges(s);
    PaintPending();
    draws_.TopUp();
    const int similar = interior ? CountSimilarInterior(start) : CountSimilarNearEdges(start, inside);
    // The step that ends a walk early has taken its draw too.
    draws_.Use(similar < kMaxWalkSteps ? similar + 1 : similar);
    // Into the outer caches only: these lines are not needed before the next
    // walk, and the snapshot lines that are needed sooner keep the nearest one.
    for (int k = 0; k < similar; ++k) __builtin_prefetch(target_ + path_[k], 1, 1);
    const std::uint8_t* p0 = snapshot_ + start;
    pending_ = {p0[0], p0[1], p0[2], similar};
    std::swap(path_, pending_path_);
  }

  // Paints the walk whose painting still waits.
  void PaintPending() {
    const int count = pending_.count;
    alignas(16) std::uint32_t colours[kMaxWalkSteps];
    PushedColours(pending_.b0, pending_.g0, pending_.r0, count, colours);
    const std::int32_t* path = pending_path_;
    std::uint8_t* target = target_;
    for (int k = 0; k < count; ++k) {
      std::uint8_t* q = target + path[k];
      const std::uint16_t blue_green = std::uint16_t(colours[k]);
      std::memcpy(q, &blue_green, 2);
      q[2] = std::uint8_t(colours[k] >> 16);
    }
    pending_.count = 0;
  }

  void Prefetch(WalkStart s) const { __builtin_prefetch(snapshot_ + StartOffset(s)); }

 private:
  std::ptrdiff_t StartOffset(WalkStart s) const {
    return std::ptrdiff_t(ConstTargetImage::Offset(s.x, s.y, width_, height_));
  }

  // A walk from here cannot leave the picture in kMaxWalkSteps steps, nor
  // reach row 0, the last in the buffer: a 4-byte read at any of its pixels
  // stays inside the buffer even where rows have no padding.
  bool FarFromEdges(WalkStart s) const {
    return s.x >= kMaxWalkSteps && s.x < width_ - kMaxWalkSteps && s.y > kMaxWalkSteps &&
           s.y < height_ - kMaxWalkSteps;
  }

  // Both trace the path into path_ and return how many of its first reach_
  // pixels lie inside the picture. The interior one lays out every group of
  // kLanes steps up to the one holding step reach_, which is inside and fails
  // on its limit, so that the search reads no step it has not laid out.
  int TraceInterior(std::ptrdiff_t start) {
    const std::uint32_t* moved = draws_.Moved();
    const std::uint32_t base = std::uint32_t(start) - moved[0];
    const int laid = std::min(kMaxWalkSteps, (reach_ / kLanes + 1) * kLanes);
    std::int32_t* path = path_;
    for (int k = 0; k < laid; ++k) path[k] = std::int32_t(base + moved[k + 1]);
    for (int k = 0; k < reach_; ++k) __builtin_prefetch(snapshot_ + path[k]);
    return reach_;
  }

  int TraceNearEdges(WalkStart s) {
    const std::uint8_t* steps = draws_.Steps();
    std::int32_t* path = path_;
    int x = s.x, y = s.y;
    std::ptrdiff_t offset = StartOffset(s);
    for (int k = 0; k < reach_; ++k) {
      const int d = steps[k];
      x += kStepX[d], y += kStepY[d];
      if (unsigned(x) >= unsigned(width_) || unsigned(y) >= unsigned(height_)) return k;
      offset += step_offset_[std::size_t(d)];
      path[k] = std::int32_t(offset);
      __builtin_prefetch(snapshot_ + offset);
    }
    return reach_;
  }

  // Both return how many leading path pixels stay within the shrinking
  // tolerance of the start colour: |sum0 - sum| < limit, which for a positive
  // limit is -limit < delta < limit and for any other limit fails.
#if WRIMPLE_SSE2
  int CountSimilarInterior(std::ptrdiff_t start) const {
    const std::uint8_t* snapshot = snapshot_;
    const std::int32_t* path = path_;
    const std::uint8_t* p0 = snapshot + start;
    const __m128i sum0 = _mm_set1_epi16(std::int16_t(p0[0] + p0[1] + p0[2]));
    // A pixel read as 4 bytes (blue, green, red, a byte of the next pixel):
    // blue + red from its masked 16-bit halves, green on its own.
    const __m128i outer = _mm_set1_epi32(0x00ff00ff), middle = _mm_set1_epi32(0xff), ones = _mm_set1_epi16(1);
    const auto sums = [&](__m128i w) {
      return _mm_add_epi32(_mm_madd_epi16(_mm_and_si128(w, outer), ones), _mm_and_si128(_mm_srli_epi32(w, 8), middle));
    };
    const auto word = [&](int k) {
      std::int32_t w;
      std::memcpy(&w, snapshot + path[k], 4);
      return w;
    };
    for (int k = 0;; k += kLanes) {
      const __m128i low = _mm_setr_epi32(word(k), word(k + 1), word(k + 2), word(k + 3));
      const __m128i high = _mm_setr_epi32(word(k + 4), word(k + 5), word(k + 6), word(k + 7));
      const __m128i delta = _mm_sub_epi16(sum0, _mm_packs_epi32(sums(low), sums(high)));
      const __m128i magnitude = _mm_max_epi16(delta, _mm_sub_epi16(_mm_setzero_si128(), delta));
      const __m128i limits = _mm_load_si128(reinterpret_cast<const __m128i*>(limits_ + k));
      const unsigned within = unsigned(_mm_movemask_epi8(_mm_cmpgt_epi16(limits, magnitude)));
      if (within != 0xffffu) return k + __builtin_ctz(~within) / 2;
      if (k + kLanes == kMaxWalkSteps) return kMaxWalkSteps;
    }
  }
#else
  // Lane for lane the same test, one step at a time.
  int CountSimilarInterior(std::ptrdiff_t start) const { return CountSimilarNearEdges(start, kMaxWalkSteps); }
#endif

  int CountSimilarNearEdges(std::ptrdiff_t start, int inside) const {
    const std::uint8_t* snapshot = snapshot_;
    const int sum0 = snapshot[start] + snapshot[start + 1] + snapshot[start + 2];
    for (int k = 0; k < inside; ++k) {
      const std::uint8_t* p = snapshot + path_[k];
      const int delta = sum0 - (p[0] + p[1] + p[2]);
      if (!(-limits_[k] < delta && delta < limits_[k])) return k;
    }
    return inside;
  }

  struct PendingWalk {
    int b0, g0, r0, count;
  };

  const std::uint8_t* snapshot_;
  std::uint8_t* target_;
  int width_, height_;
  // Steps before this one have a positive limit; from it on every step fails.
  int reach_;
  std::array<int, 8> step_offset_;
  DirectionDraws draws_;
  // Step k's limit: the tolerance lowered k + 1 times.
  alignas(16) std::int16_t limits_[kMaxWalkSteps];
  PendingWalk pending_{0, 0, 0, 0};
  std::int32_t paths_[2][kMaxWalkSteps];
  std::int32_t* path_ = paths_[0];
  std::int32_t* pending_path_ = paths_[1];
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
    // The group's last walk is painted before its progress is shown.
    walker.PaintPending();
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
