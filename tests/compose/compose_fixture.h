// Small pictures and states for the compositing tests.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>

#include "document/picture.h"
#include "document/state.h"
#include "support/scripted_platform.h"

namespace wrimple::testing {

// A 24-bit picture block of w x h whose pixel (x, row), row counted from the
// bottom as stored, is color(x, row).
PictureBlock MakePicture(int w, int h, const std::function<Bgr(int, int)>& color);

// Stored pixel (x, row from the bottom) of a picture block.
Bgr StoredPixel(const PictureBlock& picture, int x, int row);

// Gives source n a picture (an image file source) and counts it.
void LoadSource(State& st, int n, PictureBlock picture);

// Fills the target-sized region of plane n with colour.
void FillPlane(State& st, int n, const Bgr& color);

Bgr PlanePixel(const State& st, int n, int x, int y);
Bgr TargetPixel(const State& st, int x, int y);

// Bytes of the target-sized region of plane n, row by row.
std::vector<std::uint8_t> PlaneRegion(const State& st, int n);
// Bytes of the target, padding included.
std::vector<std::uint8_t> TargetBytes(const State& st);

}  // namespace wrimple::testing
