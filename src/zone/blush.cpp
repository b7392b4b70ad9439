#include "zone/blush.h"

#include <vector>

#include "zone/begin_step.h"
#include "zone/zone_row_bands.h"

namespace wrimple {

void BlushZone(ConstTargetImage backup, TargetImage target, const ZoneGeometry& g, int n,
               const Bgr& reference) {
  const std::vector<double> column_terms = g.ColumnTerms();
  ForEachZoneRowBand(g.row_begin, g.row_end, [&](int first, int last) {
    for (int y = first; y < last; ++y) {
      const int dy = y - g.yc;
      const std::uint8_t* base = backup.row(y);
      std::uint8_t* out = target.row(y);
      for (int x = g.col_begin; x < g.col_end; ++x) {
        const double r = ZoneGeometry::Radius(column_terms[std::size_t(x - g.col_begin)], dy);
        if (g.Outside(r)) continue;
        const double q = g.EdgeFactor(r);
        double w = q * q * n * 0.25;
        if (n >= 0) w = w / (w + 1);
        const std::uint8_t* P = base + 3 * x;
        for (int c = 0; c < 3; ++c) out[3 * x + c] = ClampByte(P[c] - int((P[c] - reference[c]) * w));
      }
    }
  });
}

void Blush(State& st, Platform& pf, int direction) {
  const int n = int(BeginStep(st, ZoneStep::Blush, direction));
  BlushZone(st.Backup(), st.Target(), ZoneGeometry::Of(st.zone, st.TargetWidth(), st.TargetHeight()), n,
            st.ReferenceColor);
  pf.view.RedrawView();
}

}  // namespace wrimple
