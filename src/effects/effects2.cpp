#include "effects/effects2.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "effects/row_driver.h"
#include "effects/smoothing.h"

namespace wrimple {

namespace {

constexpr int kRowsPerReport = 256;

// trunc(sin(value x w) x A) for every value a smoothed channel sum can take:
// the displacement depends only on those bytes, so the sines are computed once
// per run instead of twice per pixel.
std::vector<int> DisplacementTable(int values, double w, int amplitude) {
  std::vector<int> table(static_cast<std::size_t>(values));
  for (int v = 0; v < values; ++v) table[std::size_t(v)] = int(std::sin(v * w) * amplitude);
  return table;
}

struct Displacement {
  std::vector<int> by_blue;       // vertical, from the smoothed blue
  std::vector<int> by_red_green;  // horizontal, from smoothed red + green
};

void DisplaceRow(ConstTargetImage snapshot, ConstTargetImage smoothed, TargetImage target,
                 const Displacement& d, int y) {
  const int width = snapshot.width();
  const int height = snapshot.height();
  const std::uint8_t* s = smoothed.row(y);
  std::uint8_t* out = target.row(y);
  for (int x = 0; x < width; ++x, s += 3, out += 3) {
    const int ty = y + d.by_blue[s[0]];
    const int tx = x + d.by_red_green[s[1] + s[2]];
    if (tx >= 0 && tx < width && ty >= 0 && ty < height)
      WritePixel(out, ReadPixel(snapshot.pixel(tx, ty)));
    else
      WritePixel(out, Bgr{0, 0, 0});
  }
}

void BlackFrame(TargetImage target) {
  const int width = target.width();
  const int height = target.height();
  const int margin = kSmoothingMargin;
  for (int y = 0; y < height; ++y) {
    std::uint8_t* row = target.row(y);
    if (y < margin || y >= height - margin) {
      std::memset(row, 0, 3 * std::size_t(width));
      continue;
    }
    const int left = std::min(margin, width);
    const int right = std::max(left, width - margin);
    std::memset(row, 0, 3 * std::size_t(left));
    std::memset(row + 3 * right, 0, 3 * std::size_t(width - right));
  }
}

}  // namespace

void Perturb(ConstTargetImage snapshot, TargetImage target, int amplitude, int frequency,
             ProgressPane& progress, int threads) {
  const SmoothingPlane smoothed = SmoothPicture(snapshot, progress, threads);
  const double w = frequency / 400.0;
  const Displacement d{DisplacementTable(256, w, amplitude), DisplacementTable(511, w, amplitude)};
  const int height = snapshot.height();
  for (int begin = 0; begin < height; begin += kRowsPerReport) {
    const int end = std::min(height, begin + kRowsPerReport);
    ForEachTargetRow(begin, end, threads,
               [&](int y) { DisplaceRow(snapshot, smoothed.image(), target, d, y); });
    for (int y = begin; y < end; ++y)
      progress.FillProgressPane(kProgressWorking, 33 * y / height + 67);
  }
  BlackFrame(target);
}

void RunPerturbation(State& st, Platform& pf, int amplitude, int frequency) {
  Perturb(st.Backup(), st.Target(), amplitude, frequency, pf.progress, RowThreads());
  st.TargetModified = true;
  pf.view.RedrawView();
  pf.progress.FillProgressPane(kProgressIdle, 100);
}

}  // namespace wrimple
