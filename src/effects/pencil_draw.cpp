#include "effects/pencil_draw.h"

#include <algorithm>
#include <cstddef>
#include <vector>

namespace wrimple {

namespace {

constexpr int kMaxStrokePoints = 500;
// The start points are random over the whole picture and every step of a walk
// lands on another row, so nearly every point would be a cache miss. Start
// pixels are fetched this many strokes ahead; a few strokes ahead, when the
// start pixel has arrived, the first points of the walk and of the stroke are
// fetched along the stroke's direction.
constexpr int kStartPrefetchDistance = 16;
constexpr int kPathPrefetchDistance = 6;
constexpr int kPrefetchedPathPoints = 16;

// Step of each direction; dy positive is downwards.
constexpr int kDx[16] = {3, 1, 2, 2, 2, 2, 2, 1, 3, -1, -2, -2, -2, -2, -2, -1};
constexpr int kDy[16] = {2, 2, 2, 1, 3, -1, -2, -2, -2, -2, -2, -1, 3, 1, 2, 2};

// The direction index from the start colour. The three additions can reach 27
// while there are 16 directions: indices 16..27 wrap round to 0..11, which
// keeps every colour on a real direction and spreads them like the low ones.
int DirectionIndex(const std::uint8_t* start) {
  const int blue = start[0], green = start[1], red = start[2];
  const int sum = blue + green + red;
  int e = 0;
  if ((green & 192) == 128) e = 1;
  if ((red & 192) == 64) e = 2;
  if ((sum & 192) == 192) e = 3;
  if ((green & 48) == 32) e += 4;
  if ((red & 48) == 16) e += 8;
  if ((sum & 48) == 48) e += 12;
  return e % 16;
}

// Steps of (d) that stay within 0..limit - 1 from position p.
int StepsInside(int p, int d, int limit) { return d > 0 ? (limit - 1 - p) / d : p / -d; }

// Quantised stroke channel: the average with its lowest 5 bits set.
std::uint8_t StrokeChannel(int sum, int count) { return std::uint8_t(((sum / count) & 224) + 31); }

struct StrokeStart {
  int x, y;
};

class StrokePainter {
 public:
  StrokePainter(ConstTargetImage snapshot, TargetImage target) : snapshot_(snapshot), target_(target) {
    // Rows are stored bottom-up: a step down the picture goes back one row.
    for (int e = 0; e < 16; ++e)
      step_bytes_[e] = 3 * std::ptrdiff_t(kDx[e]) - std::ptrdiff_t(kDy[e]) * snapshot.row_length();
  }

  void PrefetchStart(StrokeStart s) const { __builtin_prefetch(snapshot_.pixel(s.x, s.y)); }

  void PrefetchPath(StrokeStart s) const {
    const std::uint8_t* start = snapshot_.pixel(s.x, s.y);
    const int e = DirectionIndex(start);
    const int points = Reach(s, e, kPrefetchedPathPoints);
    const std::ptrdiff_t step = step_bytes_[e];
    std::uint8_t* drawn = target_.pixel(s.x, s.y);
    __builtin_prefetch(drawn, 1);
    for (int i = 1; i <= points; ++i) {
      __builtin_prefetch(start + i * step);
      __builtin_prefetch(drawn + i * step, 1);
    }
  }

  // One stroke from s; updates the colour tolerance.
  void Stroke(StrokeStart s) {
    const std::uint8_t* start = snapshot_.pixel(s.x, s.y);
    const int e = DirectionIndex(start);
    const int reach = Reach(s, e, kMaxStrokePoints);
    const std::ptrdiff_t step = step_bytes_[e];
    const unsigned window = 2u * unsigned(tolerance_);
    const int b0 = start[0] - tolerance_, g0 = start[1] - tolerance_, r0 = start[2] - tolerance_;
    int sum_blue = 0, sum_green = 0, sum_red = 0;
    int count = 0;
    const std::uint8_t* p = start;
    for (; count < reach; ++count) {
      p += step;
      // |c - c0| > t, for every t >= 0, as one unsigned comparison per channel.
      if (unsigned(p[0] - b0) > window || unsigned(p[1] - g0) > window ||
          unsigned(p[2] - r0) > window)
        break;
      sum_blue += p[0], sum_green += p[1], sum_red += p[2];
    }
    tolerance_ += (count > 10 && tolerance_ > 0) ? -1 : 1;
    if (count == 0) return;
    const std::uint8_t blue = StrokeChannel(sum_blue, count);
    const std::uint8_t green = StrokeChannel(sum_green, count);
    const std::uint8_t red = StrokeChannel(sum_red, count);
    std::uint8_t* q = target_.pixel(s.x, s.y);
    for (int i = 0; i < count; ++i, q += step) q[0] = blue, q[1] = green, q[2] = red;
  }

 private:
  // Steps in direction e from s that stay inside the picture, at most `most`.
  int Reach(StrokeStart s, int e, int most) const {
    return std::min({most, StepsInside(s.x, kDx[e], snapshot_.width()),
                     StepsInside(s.y, kDy[e], snapshot_.height())});
  }

  ConstTargetImage snapshot_;
  TargetImage target_;
  std::ptrdiff_t step_bytes_[16];
  int tolerance_ = 0;
};

}  // namespace

void DrawPencilStrokes(ConstTargetImage snapshot, TargetImage target, RandomGenerator& random,
                       ProgressPane& progress) {
  const int width = snapshot.width();
  const int height = snapshot.height();
  StrokePainter painter(snapshot, target);
  // The strokes draw nothing else from the generator, so a row's start points
  // can be drawn first, in their order, and fetched ahead of their strokes.
  std::vector<StrokeStart> starts(std::size_t(width) + kStartPrefetchDistance);
  for (int k = 0; k < height; ++k) {
    for (int i = 0; i < width; ++i) {
      const int x = (random.Rand() * width) >> 15;
      const int y = (random.Rand() * height) >> 15;
      starts[std::size_t(i)] = {x, y};
    }
    for (int i = 0; i < kStartPrefetchDistance; ++i) starts[std::size_t(width + i)] = starts[0];
    for (int i = 0; i < width; ++i) {
      painter.PrefetchStart(starts[std::size_t(i + kStartPrefetchDistance)]);
      painter.PrefetchPath(starts[std::size_t(i + kPathPrefetchDistance)]);
      painter.Stroke(starts[std::size_t(i)]);
    }
    progress.FillProgressPane(kProgressWorking, 100 * k / height);
  }
}

void PencilDraw(State& st, Platform& pf) {
  SnapshotTarget(st);
  pf.progress.FillProgressPane(kProgressIdle, 100);
  DrawPencilStrokes(st.Backup(), st.Target(), pf.random, pf.progress);
  st.TargetModified = true;
  pf.view.RedrawView();
  pf.progress.FillProgressPane(kProgressIdle, 100);
}

}  // namespace wrimple
