#include "io/orientation.h"

namespace wrimple {

int ValidOrientation(long value) { return value >= 1 && value <= 8 ? int(value) : 1; }

namespace {

// Where a displayed row starts in the stored picture and the step, in pixels,
// from one displayed pixel to the next.
struct Walk {
  std::ptrdiff_t start;
  std::ptrdiff_t step;
};

Walk DisplayedRow(int orientation, int width, int height, int y) {
  const std::ptrdiff_t w = width;
  const std::ptrdiff_t last_row = std::ptrdiff_t(height - 1) * w;
  switch (orientation) {
    case 2: return {y * w + w - 1, -1};
    case 3: return {last_row - y * w + w - 1, -1};
    case 4: return {last_row - y * w, 1};
    case 5: return {y, w};
    case 6: return {last_row + y, -w};
    case 7: return {last_row + w - 1 - y, -w};
    case 8: return {w - 1 - y, w};
    default: return {y * w, 1};
  }
}

}  // namespace

void Reorient(const std::uint8_t* stored, int width, int height, int orientation,
              std::uint8_t* first_row, std::ptrdiff_t stride) {
  const bool swap = SwapsSides(orientation);
  const int shown_width = swap ? height : width;
  const int shown_height = swap ? width : height;
  for (int y = 0; y < shown_height; ++y) {
    const Walk walk = DisplayedRow(orientation, width, height, y);
    std::uint8_t* out = first_row + y * stride;
    for (int x = 0; x < shown_width; ++x, out += 3) {
      const std::uint8_t* in = stored + 3 * (walk.start + x * walk.step);
      out[0] = in[0];
      out[1] = in[1];
      out[2] = in[2];
    }
  }
}

}  // namespace wrimple
