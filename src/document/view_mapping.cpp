#include "document/view_mapping.h"

#include <algorithm>
#include <cmath>
#include <iterator>

namespace wrimple {

PixelRect PixelRect::Intersected(const PixelRect& o) const {
  return {std::max(left, o.left), std::max(top, o.top), std::min(right, o.right),
          std::min(bottom, o.bottom)};
}

PixelRect PixelRect::United(const PixelRect& o) const {
  if (o.Empty()) return *this;
  if (Empty()) return o;
  return {std::min(left, o.left), std::min(top, o.top), std::max(right, o.right),
          std::max(bottom, o.bottom)};
}

namespace {

// The target coordinate under the centre of window pixel w + scroll:
// floor((w + 1/2) d / n).
int CentreToTarget(int zoomed, const ZoomRatio& z) {
  return int(FloorDiv((2 * std::int64_t(zoomed) + 1) * z.denominator, 2 * std::int64_t(z.numerator)));
}

// The first zoomed pixel whose centre lies at or beyond target edge t:
// ceil(t n / d - 1/2).
int EdgeToZoomed(int t, const ZoomRatio& z) {
  const std::int64_t num = 2 * std::int64_t(t) * z.numerator - z.denominator;
  const std::int64_t den = 2 * std::int64_t(z.denominator);
  return int(-FloorDiv(-num, den));
}

}  // namespace

Point ViewMapping::ToTarget(Point window) const {
  return {CentreToTarget(window.x + scroll.x, zoom), CentreToTarget(window.y + scroll.y, zoom)};
}

Point ViewMapping::ToWindow(Point target) const {
  return {EdgeToZoomed(target.x, zoom) - scroll.x, EdgeToZoomed(target.y, zoom) - scroll.y};
}

int ViewMapping::LengthToTarget(int window_length) const {
  return int(std::int64_t(window_length) * zoom.denominator / zoom.numerator);
}

Point ViewMapping::ToUi(Point window) const {
  if (ui_scale == 1.0) return window;
  return {int(std::floor(window.x / ui_scale)), int(std::floor(window.y / ui_scale))};
}

int ViewMapping::UiLength(int ui_pixels) const {
  return ui_scale == 1.0 ? ui_pixels : int(std::lround(ui_pixels * ui_scale));
}

Size ViewMapping::PictureSize(int target_width, int target_height) const {
  return {EdgeToZoomed(target_width, zoom), EdgeToZoomed(target_height, zoom)};
}

namespace {

constexpr ZoomRatio kZoomSteps[] = {{1, 16}, {1, 12}, {1, 8}, {1, 6}, {1, 4}, {1, 3}, {1, 2},
                                    {2, 3},  {1, 1},  {3, 2}, {2, 1}, {3, 1}, {4, 1}, {6, 1},
                                    {8, 1},  {12, 1}, {16, 1}, {24, 1}, {32, 1}};

}  // namespace

ZoomRatio ZoomStepAbove(ZoomRatio z) {
  for (const ZoomRatio& step : kZoomSteps)
    if (z < step) return step;
  return std::end(kZoomSteps)[-1];
}

ZoomRatio ZoomStepBelow(ZoomRatio z) {
  for (auto it = std::rbegin(kZoomSteps); it != std::rend(kZoomSteps); ++it)
    if (*it < z) return *it;
  return kZoomSteps[0];
}

bool IsLargestZoom(ZoomRatio z) { return !(z < std::end(kZoomSteps)[-1]); }
bool IsSmallestZoom(ZoomRatio z) { return !(kZoomSteps[0] < z); }

ZoomRatio FitZoom(Size client, int target_width, int target_height) {
  const ZoomRatio across{std::max(client.width, 1), std::max(target_width, 1)};
  const ZoomRatio down{std::max(client.height, 1), std::max(target_height, 1)};
  const ZoomRatio fit = down < across ? down : across;
  const ZoomRatio largest = std::end(kZoomSteps)[-1];
  return largest < fit ? largest : fit;
}

double ZoomPercent(ZoomRatio z) { return 100.0 * z.numerator / z.denominator; }

Point ScrollKeeping(const ViewMapping& mapping, Point anchor, ZoomRatio to) {
  // The target coordinate under the anchor pixel's centre, (2 (a + s) + 1) d /
  // 2n, lands on the same window pixel at the new zoom.
  const ZoomRatio from = mapping.zoom;
  auto axis = [&](int a, int s) {
    const std::int64_t centre_times_2n = (2 * std::int64_t(a + s) + 1) * from.denominator;
    return int(FloorDiv(centre_times_2n * to.numerator, 2 * std::int64_t(from.numerator) * to.denominator)) - a;
  };
  return {axis(anchor.x, mapping.scroll.x), axis(anchor.y, mapping.scroll.y)};
}

}  // namespace wrimple
