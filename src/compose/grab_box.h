// The five grab boxes of aligning mode: where they sit, what a click on them
// means, and the edit each click or drag makes to the aligned source.
#pragma once

#include <array>
#include <string_view>

#include "document/platform.h"
#include "document/state.h"

namespace wrimple {

// In the order of State::GrabBoxes.
enum class GrabBoxName : int { TopLeft, BottomRight, TopRight, BottomLeft, Middle };
inline constexpr int kGrabBoxCount = 5;
inline constexpr int kGrabBoxSize = 20;

// What a press in a box does.
enum GrabBoxMode : int {
  kMoveToEdge = 0,     // snap the corner onto the target's corner
  kStretchToEdge = 1,  // stretch the corner's edges onto the target's edges
  kDragCorner = 2,     // move the corner with the mouse, rescaling
  kMoveToCenter = 3,   // centre the picture on the target
};

// "top_left", "bottom_right", "top_right", "bottom_left", "middle".
std::string_view GrabBoxWindowName(GrabBoxName box);
GrabBox& BoxOf(State& st, GrabBoxName box);

// The anchor point of a box for source n, in target coordinates.
Point GrabBoxAnchor(const State& st, int n, GrabBoxName box);

// The mode of a press at (x, y) in the box's own coordinates (0..19).
int GrabBoxModeAt(GrabBoxName box, int x, int y);
std::string_view GrabBoxTipText(int mode);

// The edit a box makes to the aligned source; nothing when not aligning.
void GrabBoxAction(State& st, Platform& pf, GrabBoxName box, int mode, int dx, int dy);

// Mouse messages of a box, in the box's own coordinates.
void GrabBoxPress(State& st, Platform& pf, GrabBoxName box, int x, int y);
void GrabBoxMove(State& st, Platform& pf, GrabBoxName box, int x, int y);
void GrabBoxRelease(State& st, Platform& pf, GrabBoxName box, int x, int y);

// Fill and pen colours of the boxes: a blue box with white lines over a dark
// base colour, a yellow-green box with black lines over a light one.
struct GrabBoxColors {
  ColorRef fill;
  ColorRef pen;
};
GrabBoxColors GrabBoxColorsFor(const Bgr& base_color);

// The lines drawn in a box (besides its outline), which mark its hit zones.
struct LineSegment {
  Point from, to;
};
std::array<LineSegment, 2> GrabBoxMarks(GrabBoxName box);

}  // namespace wrimple
