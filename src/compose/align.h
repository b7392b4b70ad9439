// Aligning a source with the mouse and the grab boxes.
#pragma once

#include "document/platform.h"
#include "document/state.h"

namespace wrimple {

// Starts aligning source n (1 or 2), or ends aligning (0).
void SetAligning(State& st, Platform& pf, int n);

// The end of a left-button drag on the view while aligning: the press point
// (x1, y1) and the release point (x, y), clamped to the target.
void MoveAlignedSource(State& st, Platform& pf, int x1, int y1, int x, int y);

// Moves the existing grab boxes onto the anchor points of source n at the
// current scroll position.
void RepositionGrabBoxes(State& st, Platform& pf, int n);

inline constexpr const char* kAlignTipText =
    "Use the LMB anywhere on the image to drag it to a new position.";
inline constexpr const char* kOffsideText =
    "Image is offside and not visible but within the target dimensions.\n"
    "You may wish to bring into view with the scrollbars.";

}  // namespace wrimple
