// "Highlight": a linear brightness ramp towards one edge, added to the working
// copy with random dithering, driven by the four arrow buttons of the dialog
// pos_bright_cont ("Highlight to edge").
#pragma once

#include <functional>

#include "document/platform.h"
#include "document/state.h"

namespace wrimple {

// Writes every pixel of `to` from `from` plus the ramp of the tilts: GH positive
// brightens the right edge, GV positive the bottom edge. Draws two numbers per
// pixel, rows top to bottom, pixels left to right.
void ApplyHighlight(ConstTargetImage from, TargetImage to, int horizontal_tilt, int vertical_tilt,
                    RandomGenerator& random);

class pos_bright_cont {
 public:
  enum Control : int {
    kBrightenUpwards = 137,
    kBrightenDownwards = 138,
    kBrightenLeftwards = 139,
    kBrightenRightwards = 140,
    kReset = 1082,
  };
  static constexpr int kTiltStep = 8;

  pos_bright_cont(State& st, Platform& pf) : st_(st), pf_(pf) {}

  // An arrow button or Reset: the tilts change, then the target is recomputed.
  void OnButton(Control button);
  // OK: keeps the picture.
  void OnOk();
  // Cancel, the close box and Escape: the working copy goes back on the target.
  void OnCancel();

  int horizontal_tilt() const { return horizontal_tilt_; }
  int vertical_tilt() const { return vertical_tilt_; }

 private:
  void Recompute();

  State& st_;
  Platform& pf_;
  int horizontal_tilt_ = 0;
  int vertical_tilt_ = 0;
};

// Command "Highlight": snapshot, then the dialog runs modally through run_modal.
void RunHighlight(State& st, Platform& pf, const std::function<void(pos_bright_cont&)>& run_modal);

}  // namespace wrimple
