#include "effects/effects3.h"

#include <algorithm>

#include "effects/row_driver.h"
#include "effects/smoothing.h"

namespace wrimple {

namespace {

constexpr int kRowsPerReport = 256;

std::uint8_t BandLevel(const std::uint8_t* smoothed, int bands) {
  const double brightness = (0.3 * smoothed[2] + 0.59 * smoothed[1]) + 0.11 * smoothed[0];
  const int k = int(brightness * bands);
  return (k & 128) ? 255 : 0;
}

void BandRow(ConstTargetImage smoothed, TargetImage target, int bands, int y) {
  const std::uint8_t* s = smoothed.row(y);
  std::uint8_t* out = target.row(y);
  for (int x = 0; x < target.width(); ++x, s += 3, out += 3) {
    const std::uint8_t level = BandLevel(s, bands);
    WritePixel(out, Bgr{level, level, level});
  }
}

}  // namespace

void DrawBands(ConstTargetImage snapshot, TargetImage target, int bands, ProgressPane& progress,
               int threads) {
  const SmoothingPlane smoothed = SmoothPicture(snapshot, progress, threads);
  const int height = snapshot.height();
  for (int begin = 0; begin < height; begin += kRowsPerReport) {
    const int end = std::min(height, begin + kRowsPerReport);
    ForEachTargetRow(begin, end, threads, [&](int y) { BandRow(smoothed.image(), target, bands, y); });
    for (int y = begin; y < end; ++y)
      progress.FillProgressPane(kProgressWorking, 33 * y / height + 67);
  }
}

void RunBands(State& st, Platform& pf, int bands) {
  DrawBands(st.Backup(), st.Target(), bands, pf.progress, RowThreads());
  st.TargetModified = true;
  pf.view.RedrawView();
  pf.progress.FillProgressPane(kProgressIdle, 100);
}

}  // namespace wrimple
