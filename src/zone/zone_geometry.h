// The zone's geometry as the elliptic operations and the nudges read it: the
// normalised corners, the centre rounded down, the height and the squared
// aspect of the inscribed ellipse, and the part of the zone's rectangle that
// lies inside the target (the only pixels ever read or written).
#pragma once

#include <algorithm>
#include <cmath>
#include <vector>

#include "document/state.h"

namespace wrimple {

struct ZoneGeometry {
  int xmin = 0, xmax = 0, ymin = 0, ymax = 0;
  int xc = 0, yc = 0;
  int Hz = 0;       // |Y2 - Y1|
  double ry = 0.0;  // (Y2 - Y1) / (X2 - X1), signed; only its square matters
  // Columns col_begin .. col_end - 1 and rows row_begin .. row_end - 1 of the
  // zone that exist in the target.
  int col_begin = 0, col_end = 0, row_begin = 0, row_end = 0;

  static ZoneGeometry Of(const WrimpleZone& zone, int target_width, int target_height);
  PixelRect Area() const { return {col_begin, row_begin, col_end, row_end}; }

  // (dx * ry)^2 by distance |dx| = 0 .. the farthest zone column in the
  // target, the horizontal part of the elliptic radius. The radius depends on
  // dx and dy only through their squares, so one entry serves both sides.
  std::vector<double> DistanceTerms() const;
  // The edge factor q = (Hz - 2r) / Hz of row y for |dx| = 0, 1, ... as long as
  // the pixel lies inside the inscribed ellipse (Hz - 2r >= 0); r grows with
  // |dx|, so the inside of a row is one run of columns around xc. Returns
  // how many distances are inside.
  int RowEdgeFactors(int y, const std::vector<double>& distance_terms,
                     std::vector<double>& q) const;
  // The columns of row y inside the ellipse, given RowEdgeFactors' count.
  int InsideBegin(int inside) const { return std::max(col_begin, xc - inside + 1); }
  int InsideEnd(int inside) const { return std::min(col_end, xc + inside); }
};

// The target pixels a zone operation may change: the zone inside the target.
PixelRect ZoneArea(const State& st);

}  // namespace wrimple
