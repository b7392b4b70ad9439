// How the view lays the target out on the window: a zoom ratio of window
// pixels per target pixel, the scroll position in window pixels, and the ratio
// of window (device) pixels to the user-interface pixels that child windows
// such as tips and grab boxes are placed in.
//
// A window pixel shows the target pixel under its centre, so at any zoom a
// window point and the target pixel drawn there agree; at 1:1 a window point is
// the target point minus the scroll position, exactly.
#pragma once

#include <cstdint>

namespace wrimple {

struct Size {
  int width = 0;
  int height = 0;
};
struct Point {
  int x = 0;
  int y = 0;
};

// A rectangle of pixels: columns left .. right - 1, rows top .. bottom - 1.
struct PixelRect {
  int left = 0, top = 0, right = 0, bottom = 0;

  bool Empty() const { return right <= left || bottom <= top; }
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  PixelRect Intersected(const PixelRect& o) const;
  PixelRect United(const PixelRect& o) const;  // an empty side is ignored
  bool operator==(const PixelRect&) const = default;
};

// numerator / denominator window pixels per target pixel, both positive.
struct ZoomRatio {
  int numerator = 1;
  int denominator = 1;

  bool operator==(const ZoomRatio& o) const {
    return std::int64_t(numerator) * o.denominator == std::int64_t(o.numerator) * denominator;
  }
  bool operator<(const ZoomRatio& o) const {
    return std::int64_t(numerator) * o.denominator < std::int64_t(o.numerator) * denominator;
  }
  bool Enlarges() const { return numerator >= denominator; }
};

struct ViewMapping {
  ZoomRatio zoom;
  Point scroll;          // window pixels of the zoomed picture left of and above the window
  double ui_scale = 1.0;  // window pixels per user-interface pixel

  // The target pixel under window pixel w (not clipped to the target).
  Point ToTarget(Point window) const;
  // The first window pixel that shows target column / row t: the window
  // position of the target's pixel edge t.
  Point ToWindow(Point target) const;
  // A length on the window (a mouse motion) in whole target pixels, truncated
  // towards zero.
  int LengthToTarget(int window_length) const;

  // User-interface pixels of a window point (rounded down) and back.
  Point ToUi(Point window) const;
  int UiLength(int ui_pixels) const;  // in window pixels, rounded
  // The zoomed picture's size in window pixels (its right and bottom edges
  // without the scroll position).
  Size PictureSize(int target_width, int target_height) const;
};

// The zoom steps of Zoom In and Zoom Out, from 1/16 to 32 times.
ZoomRatio ZoomStepAbove(ZoomRatio z);  // the first step above z; the largest at the top
ZoomRatio ZoomStepBelow(ZoomRatio z);  // the first step below z; the smallest at the bottom
bool IsLargestZoom(ZoomRatio z);
bool IsSmallestZoom(ZoomRatio z);
// The largest zoom, at most 32 times, that shows the whole target in the client
// area.
ZoomRatio FitZoom(Size client, int target_width, int target_height);
// The zoom in percent, for showing ("6.25", "100", "35.16").
double ZoomPercent(ZoomRatio z);

// The scroll position that keeps the target point under window pixel `anchor`
// in place when the zoom changes from `mapping.zoom` to `to` (not yet clipped
// to the scroll range).
Point ScrollKeeping(const ViewMapping& mapping, Point anchor, ZoomRatio to);

// floor(a / b) for b > 0.
constexpr std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
  return a >= 0 ? a / b : -((-a + b - 1) / b);
}

}  // namespace wrimple
