#include "zone/portion_merge.h"

#include <cstdlib>
#include <vector>

#include "zone/begin_step.h"
#include "zone/zone_row_bands.h"

namespace wrimple {

void PortionMergeZone(ConstTargetImage backup, TargetImage target, ConstPlane source,
                      const ZoneGeometry& g, int n) {
  const double strength = std::abs(n);
  const std::vector<double> distance_terms = g.DistanceTerms();
  ForEachZoneRowBand(g.row_begin, g.row_end, [&](int first, int last) {
    std::vector<double> w;  // by |dx|, the same on both sides of the centre
    for (int y = first; y < last; ++y) {
      const int inside = g.RowEdgeFactors(y, distance_terms, w);
      for (int d = 0; d < inside; ++d)
        w[std::size_t(d)] = w[std::size_t(d)] * w[std::size_t(d)] * strength;
      const std::uint8_t* base = backup.row(y);
      const std::uint8_t* blended = source.row(y);
      std::uint8_t* out = target.row(y);
      for (int x = g.InsideBegin(inside); x < g.InsideEnd(inside); ++x) {
        const double wx = w[std::size_t(std::abs(x - g.xc))];
        const std::uint8_t* P = base + 3 * x;
        const std::uint8_t* S = blended + 3 * x;
        if (wx < 8) {
          for (int c = 0; c < 3; ++c)
            out[3 * x + c] = ClampByte(P[c] + (int((S[c] - P[c]) * wx) >> 3));
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
