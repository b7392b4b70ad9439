// The arithmetic of the scaling dialog's "<", ">" and "100%" buttons, single
// precision throughout.
#pragma once

namespace wrimple {

// "<": one tens step below the larger of the two percentages, at least 10.
float StepDownPercent(float width_percent, float height_percent);
// ">": one tens step above the smaller of the two percentages, at most 1000.
float StepUpPercent(float width_percent, float height_percent);

// The offset of one axis after its percentage changed from old_percent to
// new_percent, chosen so that the picture does not jump: the far edge stays when
// it lies before the middle of the view, otherwise the picture point under the
// middle of the view (or the near edge, when the middle lies before the picture).
// old_pixels and new_pixels are the scaled picture sizes, client the view's size.
int KeptOffset(int offset, float old_percent, float new_percent, int old_pixels, int new_pixels,
               int client);

}  // namespace wrimple
