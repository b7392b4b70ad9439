// Where the target goes on a printed page: scaled to the page width with the
// printer's pixel aspect, or to the page height when it would be too tall.
#pragma once

#include <optional>
#include <string_view>

namespace wrimple {

enum PrintLayoutValue : int {
  kAlignToTop = 0,
  kAlignToMiddle = 1,
  kAlignToBottom = 2,
  kStretchVertically = 3,
};

// What the printer's drawing context reports, all in printer pixels.
struct PrinterPage {
  int width = 0;            // horizontal resolution of the printable area
  int height = 0;           // vertical resolution
  int dots_per_inch_x = 0;  // pixels per inch across
  int dots_per_inch_y = 0;  // pixels per inch down
};

struct PageRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  bool operator==(const PageRect&) const = default;
};

// The destination rectangle of a target_width x target_height picture on the
// page; nullopt when nothing can be printed (an empty target, or a page whose
// metrics are zero, which would divide by zero).
std::optional<PageRect> PrintDestination(int target_width, int target_height,
                                         const PrinterPage& page, int layout);

// The layout dialog's choice from its radio buttons, tested in the order
// stretch, bottom, middle; none of them checked is "Align to top".
int LayoutFromChoice(bool middle, bool bottom, bool stretch);

// "top", "middle", "bottom", "stretch"; nullopt for any other word.
std::optional<int> LayoutFromWord(std::string_view word);

}  // namespace wrimple
