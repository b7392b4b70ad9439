#include "zone/fill.h"

#include <cstring>

#include "zone/begin_step.h"
#include "zone/zone_geometry.h"

namespace wrimple {

void Fill(State& st, Platform& pf, int source) {
  BeginStep(st, ZoneStep::Fill, 0);
  const ZoneGeometry g = ZoneGeometry::Of(st.zone, st.TargetWidth(), st.TargetHeight());
  const ConstPlane plane = st.doc.Source(source).plane();
  const TargetImage target = st.Target();
  const std::size_t bytes = 3 * std::size_t(g.col_end - g.col_begin);
  for (int y = g.row_begin; y < g.row_end; ++y)
    std::memcpy(target.pixel(g.col_begin, y), plane.pixel(g.col_begin, y), bytes);
  pf.view.RedrawTargetArea(ZoneArea(st));
}

}  // namespace wrimple
