// The view's mouse handling: presses, moves and releases routed by the mode the
// view is in (zone drag, aligning a source, source brushing, right-button
// sweep). The handlers change the state, repaint through the platform's view
// and return what has to be drawn over the repainted view; they draw nothing.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "document/platform.h"
#include "document/state.h"
#include "zone/source_brushing.h"
#include "zone/zone_drawing.h"

namespace wrimple {

// Key-state flags of a mouse message, as the window system sends them.
inline constexpr std::uint32_t kMouseLeftButton = 0x0001;
inline constexpr std::uint32_t kMouseRightButton = 0x0002;
inline constexpr std::uint32_t kMouseShift = 0x0004;
inline constexpr std::uint32_t kMouseControl = 0x0008;
inline constexpr std::uint32_t kMouseMiddleButton = 0x0010;

enum class MouseButton { Left, Right };

// A mouse message: the key-state flags and the point in window coordinates
// (the scroll position comes from the platform's view).
struct MouseEvent {
  Point window;
  std::uint32_t keys = 0;
};

// What the view shows after a handler, in window coordinates.
struct ViewFeedback {
  bool repainted = false;           // the handler repainted the whole view
  std::optional<ZoneDrawing> zone;  // the zone over the repainted target, if shown
  std::optional<BrushBox> brush_box;
  std::optional<Segment> align_line;      // dotted black, from the press to the pointer
  bool refresh_reference_dialog = false;  // the open reference colour dialog shows ReferenceColor
};

ViewFeedback OnButtonDown(State& st, Platform& pf, MouseButton button, const MouseEvent& e);
ViewFeedback OnMouseMove(State& st, Platform& pf, const MouseEvent& e);
ViewFeedback OnButtonUp(State& st, Platform& pf, MouseButton button, const MouseEvent& e);

inline constexpr std::string_view kZoneTipText =
    "Drag out a box then click one or more of blend, warp, blush buttons.\nClick left LMB "
    "somewhere else when done.";

}  // namespace wrimple
