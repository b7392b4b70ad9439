// The zone's geometry as the elliptic operations and the nudges read it: the
// normalised corners, the centre rounded down, the height and the squared
// aspect of the inscribed ellipse, and the part of the zone's rectangle that
// lies inside the target (the only pixels ever read or written).
#pragma once

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

  // (dx * ry)^2 for every column col_begin .. col_end - 1, the horizontal part
  // of the elliptic radius, formed once per call instead of once per pixel.
  std::vector<double> ColumnTerms() const;
  // The elliptic radius r from a column's term and the row's dy.
  static double Radius(double column_term, int dy) { return std::sqrt(column_term + double(dy * dy)); }
  // Whether Hz - 2r < 0: outside the inscribed ellipse, left alone.
  bool Outside(double r) const { return double(Hz) - 2 * r < 0; }
  // The edge factor q = (Hz - 2r) / Hz: 1 at the centre, 0 on the ellipse.
  double EdgeFactor(double r) const { return (double(Hz) - 2 * r) / double(Hz); }
};

}  // namespace wrimple
