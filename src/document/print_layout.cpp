#include "document/print_layout.h"

#include <cstdint>

namespace wrimple {

std::optional<PageRect> PrintDestination(int target_width, int target_height,
                                         const PrinterPage& page, int layout) {
  if (target_width <= 0 || target_height <= 0) return std::nullopt;
  if (page.width <= 0 || page.height <= 0 || page.dots_per_inch_x <= 0 ||
      page.dots_per_inch_y <= 0)
    return std::nullopt;
  // Height of the picture at full page width, in double precision so that the
  // products of large pages and high resolutions cannot overflow.
  const double full_width_height =
      (double(target_height) * double(page.width) * double(page.dots_per_inch_y)) /
      (double(target_width) * double(page.dots_per_inch_x));
  const std::int64_t h = std::int64_t(full_width_height);
  if (h > page.height) {
    // Too tall: full page height, centred across, whatever the layout.
    const std::int64_t w = (std::int64_t(page.height) * page.width) / h;
    const int left = int((page.width - w) / 2);
    return PageRect{left, 0, left + int(w), page.height};
  }
  const int height = int(h);
  switch (layout) {
    case kAlignToMiddle: {
      const int top = (page.height - height) / 2;
      return PageRect{0, top, page.width, top + height};
    }
    case kAlignToBottom: return PageRect{0, page.height - height, page.width, page.height};
    case kStretchVertically: return PageRect{0, 0, page.width, page.height};
    default: return PageRect{0, 0, page.width, height};
  }
}

int LayoutFromChoice(bool middle, bool bottom, bool stretch) {
  if (stretch) return kStretchVertically;
  if (bottom) return kAlignToBottom;
  if (middle) return kAlignToMiddle;
  return kAlignToTop;
}

std::optional<int> LayoutFromWord(std::string_view word) {
  if (word == "top") return kAlignToTop;
  if (word == "middle") return kAlignToMiddle;
  if (word == "bottom") return kAlignToBottom;
  if (word == "stretch") return kStretchVertically;
  return std::nullopt;
}

}  // namespace wrimple
