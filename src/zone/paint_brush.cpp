#include "zone/paint_brush.h"

#include <algorithm>
#include <cmath>

namespace wrimple {

void PaintBrush(State& st, int x, int y, int which) {
  st.TargetModified = true;
  const int bw = st.zone.ZoneWidth, bh = st.zone.ZoneHeight;
  if (bw <= 0 || bh <= 0) return;  // an empty brush paints nothing
  const double aspect = double(bh) / double(bw);
  const bool reference = st.SourceCount < 2 && which == 2;
  const ConstPlane plane = st.doc.Source(st.SourceCount >= 2 ? which : 1).plane();
  const TargetImage target = st.Target();
  // Only rows and columns inside the target are painted, so the plane is never
  // read outside the picture either.
  const int row_end = std::min(y + bh / 2, target.height());
  const int col_end = std::min(x + bw / 2, target.width());
  const int row_begin = std::max(y - bh / 2, 0), col_begin = std::max(x - bw / 2, 0);
  st.BrushPainted = st.BrushPainted.United({col_begin, row_begin, col_end, row_end});
  for (int i = row_begin; i < row_end; ++i) {
    const int dy = i - y;
    for (int k = col_begin; k < col_end; ++k) {
      const double ox = double(k - x) * aspect;
      if (double(bh) - 2 * std::sqrt(ox * ox + double(dy * dy)) < 0) continue;
      WritePixel(target.pixel(k, i), reference ? st.ReferenceColor : ReadPixel(plane.pixel(k, i)));
    }
  }
}

}  // namespace wrimple
