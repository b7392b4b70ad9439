// The loop shared by twist, squash and stretch: every zone pixel inside the
// inscribed ellipse takes the working copy's pixel at a sample point that the
// operation derives from the pixel's polar position and its edge factor.
#pragma once

#include <cmath>
#include <cstddef>
#include <cstdlib>
#include <vector>

#include "document/pixels.h"
#include "zone/sample_bilinear.h"
#include "zone/zone_geometry.h"
#include "zone/zone_row_bands.h"

namespace wrimple {

struct SamplePoint {
  double xs, ys;
};

// Whether the bilinear sample at (xs, ys) lies inside both the zone and the
// target, with its right and lower neighbours. A point just left of or above
// column or row 0 truncates to 0 but lies outside both; a point far outside (a
// long run of squash clicks overflows the radius) is rejected before it is
// converted to an integer.
inline bool SampleInside(const ZoneGeometry& g, int width, int height, double xs, double ys) {
  if (!(xs >= 0 && ys >= 0 && xs < width && ys < height)) return false;
  const int J = int(xs), K = int(ys);
  return J + 1 < width && K + 1 < height && J >= g.xmin && J + 1 < g.xmax && K >= g.ymin &&
         K + 1 < g.ymax;
}

// sample(rho, theta, q) returns the sample point of the pixel at distance rho
// and angle theta from the centre (y downwards) with edge factor q; pixels
// outside the ellipse, or whose sample lies outside the zone, keep their value.
// With `unwarped` (a count of 0 after opposite clicks) every pixel samples its
// own position: the polar round trip cos(atan2) * rho lands a few units in the
// last place off, which would blend in 1/256 of a neighbour or, on the zone's
// first row and column, drop the pixel and leave the previous step's value.
template <typename SampleFn>
void WarpEllipse(ConstTargetImage backup, TargetImage target, const ZoneGeometry& g, bool unwarped,
                 const SampleFn& sample) {
  const std::vector<double> distance_terms = g.DistanceTerms();
  ForEachZoneRowBand(g.row_begin, g.row_end, [&](int first, int last) {
    std::vector<double> edge;  // q by |dx|
    for (int y = first; y < last; ++y) {
      const int inside = g.RowEdgeFactors(y, distance_terms, edge);
      const int dy = y - g.yc;
      std::uint8_t* out = target.row(y);
      for (int x = g.InsideBegin(inside); x < g.InsideEnd(inside); ++x) {
        const int dx = x - g.xc;
        const double q = edge[std::size_t(std::abs(dx))];
        const double rho = std::sqrt(double(dx * dx + dy * dy));
        const double theta = std::atan2(double(dy), double(dx));
        const SamplePoint p = unwarped ? SamplePoint{double(x), double(y)} : sample(rho, theta, q);
        if (SampleInside(g, target.width(), target.height(), p.xs, p.ys))
          SampleBilinear(backup, p.xs, p.ys, out + 3 * x);
      }
    }
  });
}

}  // namespace wrimple
