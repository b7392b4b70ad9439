#include "zone/nudge.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "zone/begin_step.h"
#include "zone/zone_geometry.h"
#include "zone/zone_row_bands.h"

namespace wrimple {

namespace {

// Where a destination along the push takes its sample, in 32-bit floats: |n|
// steps, each a fraction of the distance to the zone edge on its side.
struct PushLine {
  float vmin, vmax, vc, A;
  int steps;
  bool forward;  // n > 0: samples move towards vmax

  float Sample(int v, float g) const {
    float s = float(v);
    for (int k = 0; k < steps; ++k) {
      const float e = s > vc ? vmax - s : s - vmin;
      const float step = e / 150 * A / g;
      s = forward ? s + step : s - step;
    }
    return s;
  }
};

// The fade across the push: 1 on the centre line, 257 on the zone's sides.
float Fade(int u, int uc, int umin, int umax) {
  const float t = float(u - uc) * 8 / float(umax - umin);
  return t * t * t * t + 1;
}

// The blend (256 - f : f) of two pixels rounded down; p1 is not read when f = 0.
void Blend(const std::uint8_t* p0, const std::uint8_t* p1, int f, std::uint8_t* out) {
  if (f == 0) {
    WritePixel(out, ReadPixel(p0));
    return;
  }
  for (int c = 0; c < 3; ++c)
    out[c] = std::uint8_t(((256 - f) * 256 * p0[c] + f * 256 * p1[c]) >> 16);
}

struct SampleIndex {
  int i, f;
};
SampleIndex Split(float s) {
  const int i = int(s);
  return {i, int(256 * s) - 256 * i};
}

// Destinations along the push: vmin .. vmax - 1 for n > 0, vmin + 1 .. vmax
// otherwise, held to the target's extent `limit` along that axis.
void Destinations(const PushLine& line, int limit, int& first, int& last) {
  first = std::max(0, int(line.vmin) + (line.forward ? 0 : 1));
  last = std::min(limit - 1, int(line.vmax) - (line.forward ? 1 : 0));
}

PushLine LineOf(int vmin, int vmax, int n, int aggressiveness) {
  return {float(vmin),           float(vmax), float((vmin + vmax) >> 1),
          float(aggressiveness), std::abs(n), n > 0};
}

void NudgeVertical(ConstTargetImage backup, TargetImage target, const ZoneGeometry& g, int n,
                   int A) {
  const PushLine line = LineOf(g.ymin, g.ymax, n, A);
  // The fade depends on (u - uc) only through t^4, so columns at the same
  // distance from the centre line take their samples from the same rows.
  const int farthest = std::max(std::abs(g.col_begin - g.xc), std::abs(g.col_end - 1 - g.xc));
  std::vector<float> fade(std::size_t(farthest + 1));
  for (int d = 0; d <= farthest; ++d) fade[std::size_t(d)] = Fade(g.xc + d, g.xc, g.xmin, g.xmax);
  int first = 0, last = 0;
  Destinations(line, target.height(), first, last);
  ForEachZoneRowBand(first, last + 1, [&](int band_first, int band_last) {
    std::vector<SampleIndex> at(fade.size());
    for (int v = band_first; v < band_last; ++v) {
      for (std::size_t d = 0; d < fade.size(); ++d) at[d] = Split(line.Sample(v, fade[d]));
      std::uint8_t* out = target.row(v);
      for (int u = g.col_begin; u < g.col_end; ++u) {
        const SampleIndex& s = at[std::size_t(std::abs(u - g.xc))];
        if (s.i < 0 || s.i + 1 >= target.height()) continue;
        Blend(backup.pixel(u, s.i), backup.pixel(u, s.i + 1), s.f, out + 3 * u);
      }
    }
  });
}

void NudgeHorizontal(ConstTargetImage backup, TargetImage target, const ZoneGeometry& g, int n,
                     int A) {
  const PushLine line = LineOf(g.xmin, g.xmax, n, A);
  int first = 0, last = 0;
  Destinations(line, target.width(), first, last);
  // Rows at the same distance from the centre line fade alike (t^4), so each
  // pair of rows yc - d and yc + d shares one run of sample positions.
  const int farthest = std::max(std::abs(g.row_begin - g.yc), std::abs(g.row_end - 1 - g.yc));
  ForEachZoneRowBand(0, farthest + 1, [&](int band_first, int band_last) {
    std::vector<SampleIndex> at(std::size_t(std::max(0, last - first + 1)));
    for (int d = band_first; d < band_last; ++d) {
      const float fade = Fade(g.yc + d, g.yc, g.ymin, g.ymax);
      for (int v = first; v <= last; ++v) at[std::size_t(v - first)] = Split(line.Sample(v, fade));
      const auto push_row = [&](int u) {
        if (u < g.row_begin || u >= g.row_end) return;
        const std::uint8_t* in = backup.row(u);
        std::uint8_t* out = target.row(u);
        for (int v = first; v <= last; ++v) {
          const SampleIndex& s = at[std::size_t(v - first)];
          if (s.i < 0 || s.i >= target.width() || (s.f != 0 && s.i + 1 >= target.width())) continue;
          Blend(in + 3 * s.i, in + 3 * (s.i + 1), s.f, out + 3 * v);
        }
      };
      push_row(g.yc + d);
      if (d > 0) push_row(g.yc - d);
    }
  });
}

}  // namespace

void NudgeZone(ConstTargetImage backup, TargetImage target, const ZoneGeometry& g, NudgeAxis axis,
               int n, int aggressiveness) {
  if (axis == NudgeAxis::Vertical)
    NudgeVertical(backup, target, g, n, aggressiveness);
  else
    NudgeHorizontal(backup, target, g, n, aggressiveness);
}

void Nudge(State& st, Platform& pf, NudgeDirection direction) {
  const bool vertical = direction == NudgeDirection::Down || direction == NudgeDirection::Up;
  const bool towards_start = direction == NudgeDirection::Up || direction == NudgeDirection::Left;
  const int n = int(BeginStep(st, vertical ? ZoneStep::NudgeVertical : ZoneStep::NudgeHorizontal,
                              towards_start ? 1 : -1));
  NudgeZone(st.Backup(), st.Target(),
            ZoneGeometry::Of(st.zone, st.TargetWidth(), st.TargetHeight()),
            vertical ? NudgeAxis::Vertical : NudgeAxis::Horizontal, n, st.Aggressiveness);
  pf.view.RedrawTargetArea(ZoneArea(st));
}

}  // namespace wrimple
