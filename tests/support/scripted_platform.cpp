#include "support/scripted_platform.h"

namespace wrimple::testing {

MonoBitmap CellFont::DrawText(std::string_view text, int width, int height, int left, int top) {
  MonoBitmap m;
  m.width = width;
  m.height = height;
  m.stride = (width + 7) / 8;
  m.bits.assign(std::size_t(m.stride) * height, 0);
  int line = 0, column = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\r') continue;
    if (c == '\n') {
      ++line;
      column = 0;
      continue;
    }
    const int x0 = left + column * cell_width, y0 = top + line * cell_height;
    for (int y = y0 + 1; y < y0 + cell_height - 1 && y < height; ++y)
      for (int x = x0 + 1; x < x0 + cell_width - 1 && x < width; ++x)
        m.bits[std::size_t(y) * m.stride + std::size_t(x >> 3)] |= std::uint8_t(0x80 >> (x & 7));
    ++column;
  }
  return m;
}

void FillTargetPattern(State& st, unsigned seed) {
  const TargetImage t = st.Target();
  for (int y = 0; y < t.height(); ++y)
    for (int x = 0; x < t.width(); ++x) {
      std::uint8_t* p = t.pixel(x, y);
      p[0] = std::uint8_t(x * 7 + y * 3 + seed);
      p[1] = std::uint8_t(x * 5 + y * 11 + seed * 3);
      p[2] = std::uint8_t(x * 13 + y * 2 + seed * 7);
    }
}

void FillPlanePattern(State& st, int n, unsigned seed) {
  const Plane plane = st.doc.Source(n).plane();
  for (int y = 0; y < st.TargetHeight(); ++y)
    for (int x = 0; x < st.TargetWidth(); ++x) {
      std::uint8_t* p = plane.pixel(x, y);
      p[0] = std::uint8_t(x * 3 + y * 5 + seed);
      p[1] = std::uint8_t(x * 11 + y * 7 + seed * 5);
      p[2] = std::uint8_t(x * 2 + y * 13 + seed * 11);
    }
}

}  // namespace wrimple::testing
