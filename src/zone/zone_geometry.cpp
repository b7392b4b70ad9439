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

std::vector<double> ZoneGeometry::ColumnTerms() const {
  std::vector<double> terms(std::size_t(col_end - col_begin));
  for (int x = col_begin; x < col_end; ++x) {
    const double a = double(x - xc) * ry;
    terms[std::size_t(x - col_begin)] = a * a;
  }
  return terms;
}

}  // namespace wrimple
