#include "zone/blush.h"

#include <cstdlib>
#include <vector>

#include "zone/begin_step.h"
#include "zone/zone_geometry.h"
#include "zone/zone_row_bands.h"

namespace wrimple {

void BlushZone(ConstTargetImage backup, TargetImage target, const ZoneGeometry& g, int n,
               const Bgr& reference) {
  const std::vector<double> distance_terms = g.DistanceTerms();
  ForEachZoneRowBand(g.row_begin, g.row_end, [&](int first, int last) {
    std::vector<double> w;  // by |dx|, the same on both sides of the centre
    for (int y = first; y < last; ++y) {
      const int inside = g.RowEdgeFactors(y, distance_terms, w);
      for (int d = 0; d < inside; ++d) {
        const double q = w[std::size_t(d)];
        double wd = q * q * n * 0.25;
        if (n >= 0) wd = wd / (wd + 1);
        w[std::size_t(d)] = wd;
      }
      const std::uint8_t* base = backup.row(y);
      std::uint8_t* out = target.row(y);
      for (int x = g.InsideBegin(inside); x < g.InsideEnd(inside); ++x) {
        const double wx = w[std::size_t(std::abs(x - g.xc))];
        const std::uint8_t* P = base + 3 * x;
        for (int c = 0; c < 3; ++c)
          out[3 * x + c] = ClampByte(P[c] - int((P[c] - reference[c]) * wx));
      }
    }
  });
}

void Blush(State& st, Platform& pf, int direction) {
  const int n = int(BeginStep(st, ZoneStep::Blush, direction));
  BlushZone(st.Backup(), st.Target(),
            ZoneGeometry::Of(st.zone, st.TargetWidth(), st.TargetHeight()), n, st.ReferenceColor);
  pf.view.RedrawTargetArea(ZoneArea(st));
}

}  // namespace wrimple
