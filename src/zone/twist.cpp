#include "zone/twist.h"

#include <cmath>

#include "zone/begin_step.h"
#include "zone/zone_geometry.h"
#include "zone/elliptic_warp.h"

namespace wrimple {

void TwistZone(ConstTargetImage backup, TargetImage target, const ZoneGeometry& g, double n,
               int aggressiveness) {
  const double turn = n * 3.14159;
  const double A = aggressiveness;
  const double xc = g.xc, yc = g.yc;
  WarpEllipse(backup, target, g, n == 0, [&](double rho, double theta, double q) {
    const double turned = theta - q * q * turn * A / 80;
    return SamplePoint{std::cos(turned) * rho + xc, std::sin(turned) * rho + yc};
  });
}

void Twist(State& st, Platform& pf, int direction) {
  const double n = BeginStep(st, ZoneStep::Twist, direction);
  TwistZone(st.Backup(), st.Target(),
            ZoneGeometry::Of(st.zone, st.TargetWidth(), st.TargetHeight()), n, st.Aggressiveness);
  pf.view.RedrawTargetArea(ZoneArea(st));
}

}  // namespace wrimple
