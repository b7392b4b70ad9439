#include "zone/zone_geometry.h"

#include <algorithm>
#include <cstdlib>

namespace wrimple {

ZoneGeometry ZoneGeometry::Of(const WrimpleZone& zone, int target_width, int target_height) {
  ZoneGeometry g;
  g.xmin = zone.xmin();
  g.xmax = zone.xmax();
  g.ymin = zone.ymin();
  g.ymax = zone.ymax();
  g.xc = (g.xmin + g.xmax) >> 1;
  g.yc = (g.ymin + g.ymax) >> 1;
  g.Hz = std::abs(zone.Y2 - zone.Y1);
  g.ry = double(zone.Y2 - zone.Y1) / double(zone.X2 - zone.X1);
  g.col_begin = std::max(g.xmin, 0);
  g.col_end = std::max(g.col_begin, std::min(g.xmax, target_width));
  g.row_begin = std::max(g.ymin, 0);
  g.row_end = std::max(g.row_begin, std::min(g.ymax, target_height));
  return g;
}

std::vector<double> ZoneGeometry::DistanceTerms() const {
  const int farthest =
      col_end > col_begin ? std::max(std::abs(col_begin - xc), std::abs(col_end - 1 - xc)) : -1;
  std::vector<double> terms(std::size_t(farthest + 1));
  for (int d = 0; d <= farthest; ++d) {
    const double a = double(d) * ry;
    terms[std::size_t(d)] = a * a;
  }
  return terms;
}

int ZoneGeometry::RowEdgeFactors(int y, const std::vector<double>& distance_terms,
                                 std::vector<double>& q) const {
  const int dy = y - yc;
  q.resize(distance_terms.size());
  int inside = 0;
  for (; inside < int(distance_terms.size()); ++inside) {
    const double r = std::sqrt(distance_terms[std::size_t(inside)] + double(dy * dy));
    if (double(Hz) - 2 * r < 0) break;
    q[std::size_t(inside)] = (double(Hz) - 2 * r) / double(Hz);
  }
  return inside;
}

PixelRect ZoneArea(const State& st) {
  return ZoneGeometry::Of(st.zone, st.TargetWidth(), st.TargetHeight()).Area();
}

}  // namespace wrimple
