#include "zone/squash_stretch.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "zone/begin_step.h"
#include "zone/zone_geometry.h"
#include "zone/elliptic_warp.h"

namespace wrimple {

void SquashStretchZone(ConstTargetImage backup, TargetImage target, const ZoneGeometry& g, int n,
                       int aggressiveness) {
  // k = 80 / A in integer division; A is held in 1..10 so that it never divides by 0.
  const double k = 80 / std::clamp(aggressiveness, 1, 10);
  const int steps = std::abs(n);
  const double xc = g.xc, yc = g.yc;
  WarpEllipse(backup, target, g, n == 0, [&](double rho, double theta, double q) {
    // The same factor applies at every step, so it is formed once.
    const double factor = n > 0 ? k / (k + q) : q / k + 1;
    double m = 1;
    for (int i = 0; i < steps; ++i) m *= factor;
    const double radius = m * rho;
    return SamplePoint{std::cos(theta) * radius + xc, std::sin(theta) * radius + yc};
  });
}

void SquashStretch(State& st, Platform& pf, int direction) {
  const int n = int(BeginStep(st, ZoneStep::SquashStretch, direction));
  SquashStretchZone(st.Backup(), st.Target(),
                    ZoneGeometry::Of(st.zone, st.TargetWidth(), st.TargetHeight()), n,
                    st.Aggressiveness);
  pf.view.RedrawTargetArea(ZoneArea(st));
}

}  // namespace wrimple
