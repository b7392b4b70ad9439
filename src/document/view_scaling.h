// The pictures the view shows at any zoom. Enlarged, every window pixel shows
// the one picture pixel under its centre (crisp squares); shrunk, it shows the
// average of an area, taken from a pyramid of halvings of the picture that is
// brought up to date rectangle by rectangle as the picture changes. Output
// pixels are 32-bit words 0xffRRGGBB.
//
// Every operation has a plain version (view_scaling_plain.cpp) that computes
// each pixel on its own from the definition; the tests hold the two equal.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "document/pixels.h"
#include "document/view_mapping.h"

namespace wrimple {

// A picture read row by row. Its pixels hold blue, green and red in their
// first three bytes and are PixelBytes() apart.
class PixelRows {
 public:
  PixelRows(int width, int height, int pixel_bytes)
      : width_(width), height_(height), pixel_bytes_(pixel_bytes) {}
  virtual ~PixelRows() = default;

  int width() const { return width_; }
  int height() const { return height_; }
  int pixel_bytes() const { return pixel_bytes_; }

  // Pixel x0 of row y, followed by the pixels up to x1 - 1; the pointer stays
  // valid for the next two calls as well (up to three rows are read at a time).
  virtual const std::uint8_t* Row(int y, int x0, int x1) = 0;

 private:
  int width_, height_, pixel_bytes_;
};

// The target (or any picture in its layout).
class TargetRows : public PixelRows {
 public:
  explicit TargetRows(ConstTargetImage picture);
  const std::uint8_t* Row(int y, int x0, int x1) override;

 private:
  ConstTargetImage picture_;
};

// The top-left width x height pixels of a source plane.
class PlaneRows : public PixelRows {
 public:
  PlaneRows(ConstPlane plane, int width, int height);
  const std::uint8_t* Row(int y, int x0, int x1) override;

 private:
  ConstPlane plane_;
};

// The source preview: every byte (a + b) >> 1 of two planes.
class PlaneAverageRows : public PixelRows {
 public:
  PlaneAverageRows(ConstPlane a, ConstPlane b, int width, int height);
  const std::uint8_t* Row(int y, int x0, int x1) override;

 private:
  ConstPlane a_, b_;
  std::vector<std::uint8_t> rows_[3];
  int next_ = 0;
};

// A picture of 0xffRRGGBB words, `stride` words a row.
class WordRows : public PixelRows {
 public:
  WordRows(const std::uint32_t* words, int width, int height, std::ptrdiff_t stride);
  const std::uint8_t* Row(int y, int x0, int x1) override;

 private:
  const std::uint32_t* words_;
  std::ptrdiff_t stride_;
};

// Where output goes: `stride` words a row, the first word for area.left, area.top.
struct WordTarget {
  std::uint32_t* words;
  std::ptrdiff_t stride;
};

// The picture pixels that zoomed pixel X covers along one axis of `size`
// pixels, at a zoom z from 1/2 to 1, and their weights out of 256: each the
// share of the pixel's extent that falls on that picture pixel (cumulative
// shares rounded, so the weights add up to 256).
struct BoxTaps {
  static constexpr int kMaxTaps = 3;
  int first = 0;
  int count = 0;
  int weight[kMaxTaps] = {};
};
BoxTaps BoxTapsOf(int X, int size, ZoomRatio z);

// Pixels `area` of the picture zoomed by z (coordinates of the zoomed picture,
// inside its ViewMapping::PictureSize), for z from 1/2 on. From 1:1 on, a
// pixel is the picture pixel under its centre; below, the area average
// (sum of v * horizontal weight * vertical weight + 32768) >> 16.
void ScaleArea(PixelRows& picture, ZoomRatio z, const PixelRect& area, WordTarget out);
void ScaleAreaPlain(PixelRows& picture, ZoomRatio z, const PixelRect& area, WordTarget out);

// Pixels `area` of the half-size picture: the rounded average of each 2 x 2
// block, the last column and row repeated when the size is odd.
void HalveArea(PixelRows& picture, const PixelRect& area, WordTarget out);
void HalveAreaPlain(PixelRows& picture, const PixelRect& area, WordTarget out);

// From this zoom on the view draws a thin grid between the target pixels.
inline constexpr ZoomRatio kPixelGridZoom{8, 1};

// Lays the pixel grid over output pixels `area` of a picture zoomed by z: the
// first window column and row of every picture pixel turn halfway to grey,
// c / 2 + 64 in every channel.
void DrawPixelGrid(ZoomRatio z, const PixelRect& area, WordTarget out);

// A picture and its halvings down to one pixel, which shows it at every zoom.
class ViewPyramid {
 public:
  // Rebuilds every level from `picture`, whose size may have changed.
  void Rebuild(PixelRows& picture);
  // Brings the levels up to date after the pixels inside `changed` changed.
  void Update(PixelRows& picture, const PixelRect& changed);
  bool Matches(const PixelRows& picture) const {
    return !levels_.empty() && width_ == picture.width() && height_ == picture.height();
  }

  // Pixels `area` of the picture zoomed by z: level 0 is `picture` itself,
  // which must be the one last given to Rebuild or Update.
  void Draw(PixelRows& picture, ZoomRatio z, const PixelRect& area, WordTarget out);

  int LevelCount() const { return int(levels_.size()); }

 private:
  struct Level {
    int width = 0, height = 0;
    std::vector<std::uint32_t> words;
  };
  void UpdateLevels(PixelRows& picture, PixelRect changed);
  int width_ = 0, height_ = 0;
  std::vector<Level> levels_;  // levels_[0] is the first halving
};

// The pyramid level that shows zoom z: 0 above 1/2, else the smallest k with
// z 2^k above 1/2 (the zoom relative to that level is then in (1/2, 1]).
int LevelForZoom(ZoomRatio z);

}  // namespace wrimple
