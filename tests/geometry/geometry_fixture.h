// Small pictures put straight into the source slots, for the geometry tests.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>

#include "document/picture.h"
#include "document/pixels.h"
#include "document/state.h"
#include "support/scripted_platform.h"

namespace wrimple::testing {

// The colour of stored picture pixel (x, row), row counted from the bottom.
inline Bgr PicturePixel(int x, int row) {
  return Bgr{std::uint8_t(x * 9 + row), std::uint8_t(x * 3 + row * 7), std::uint8_t(200 - x - row)};
}

// A w x h image-file source in slot n, filled with PicturePixel.
inline void PutSource(State& st, int n, int w, int h, std::int32_t kind = kKindImageFile) {
  std::optional<PictureBlock> dib = AllocateDib(24, w, h);
  ASSERT_TRUE(dib.has_value());
  const int row_length = RowLength24(w);
  for (int row = 0; row < h; ++row)
    for (int x = 0; x < w; ++x) WritePixel(dib->bits() + std::size_t(row) * row_length + 3 * x, PicturePixel(x, row));
  SourceImage& s = st.doc.Source(n);
  s.SourcePicture = std::move(dib);
  s.SourceKind = kind;
  st.SourceCount = std::max(st.SourceCount, n);
}

// A fresh state with a small target, the platform doubles, and the view's
// client area of 1024 x 768.
class GeometryTest : public ::testing::Test {
 protected:
  GeometryTest() { st.SetTargetSize(160, 120); }
  State st;
  TestPlatform tp;
  Platform& pf() { return tp; }
};

}  // namespace wrimple::testing
