// Small pictures and helpers shared by the special-effect tests.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "document/pixels.h"
#include "document/state.h"
#include "support/scripted_platform.h"

namespace wrimple::testing {

// The target's pixels, row by row from the top, without the row padding.
inline std::vector<std::uint8_t> PixelsOf(ConstTargetImage image) {
  std::vector<std::uint8_t> bytes;
  for (int y = 0; y < image.height(); ++y)
    bytes.insert(bytes.end(), image.row(y), image.row(y) + 3 * image.width());
  return bytes;
}

inline void FillUniform(TargetImage image, Bgr colour) {
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) WritePixel(image.pixel(x, y), colour);
}

// Smooth gradients with a little texture, like a photograph: neighbouring
// pixels are close, distant ones differ.
inline void FillPhotoLike(TargetImage image, unsigned seed = 3) {
  std::uint32_t noise = seed;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) {
      noise = noise * 1664525u + 1013904223u;
      const int grain = int(noise >> 29);  // 0..7
      std::uint8_t* p = image.pixel(x, y);
      p[0] = ClampByte((x * 255) / (image.width() + 1) / 2 + 60 + grain);
      p[1] = ClampByte((y * 255) / (image.height() + 1) / 2 + 40 + grain);
      p[2] = ClampByte(((x + y) * 255) / (image.width() + image.height()) + grain / 2);
    }
}

// A state with a w x h target filled with a pattern, one source counted so the
// whole-target commands are enabled.
class SpecialEffectsTest : public ::testing::Test {
 protected:
  void UseTarget(int width, int height) {
    st.SetTargetSize(width, height);
    st.SourceCount = 1;
    FillTargetPattern(st);
  }
  std::vector<std::uint8_t> TargetPixels() const { return PixelsOf(st.Target()); }
  std::vector<std::uint8_t> BackupPixels() const { return PixelsOf(st.Backup()); }

  State st;
  TestPlatform tp;
};

}  // namespace wrimple::testing
