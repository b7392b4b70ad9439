#include "zone/portion_merge.h"

#include <cstdlib>
#include <vector>

#include "zone/begin_step.h"
#include "zone/zone_row_bands.h"

namespace wrimple {

void PortionMergeZone(ConstTargetImage backup, TargetImage target, ConstPlane source,
                      const ZoneGeometry& g, int n) {
  const double strength = std::abs(n);
  const std::vector<double> column_terms = g.ColumnTerms();
  ForEachZoneRowBand(g.row_begin, g.row_end, [&](int first, int last) {
    for (int y = first; y < last; ++y) {
      const int dy = y - g.yc;
      const std::uint8_t* base = backup.row(y);
      const std::uint8_t* blended = source.row(y);
      std::uint8_t* out = target.row(y);
      for (int x = g.col_begin; x < g.col_end; ++x) {
        const double r = ZoneGeometry::Radius(column_terms[std::size_t(x - g.col_begin)], dy);
        if (g.Outside(r)) continue;
        const double q = g.EdgeFactor(r);
        const double w = q * q * strength;
        const std::uint8_t* P = base + 3 * x;
        const std::uint8_t* S = blended + 3 * x;
        if (w < 8) {
          for (int c = 0; c < 3; ++c) out[3 * x + c] = ClampByte(P[c] + (int((S[c] - P[c]) * w) >> 3));
        } else {
          WritePixel(out + 3 * x, ReadPixel(S));
        }
      }
    }
  });
}

void PortionMerge(State& st, Platform& pf, int direction) {
  const int n = int(BeginStep(st, ZoneStep::PortionMerge, direction));
  if (n == 0) {
    RestoreFromSnapshot(st);
  } else {
    PortionMergeZone(st.Backup(), st.Target(), st.doc.Source(n > 0 ? 1 : 2).plane(),
                     ZoneGeometry::Of(st.zone, st.TargetWidth(), st.TargetHeight()), n);
  }
  pf.view.RedrawView();
}

}  // namespace wrimple
