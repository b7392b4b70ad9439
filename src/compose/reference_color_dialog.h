// The reference colour dialog: three channel sliders, a level slider that moves
// all three, Gray/Black/White buttons and a swatch. Modeless: at most one is open,
// reachable through State::ReferenceColorDialog, and every change goes straight
// into ReferenceColor (and re-merges while the merge dialog is open).
#pragma once

#include <functional>

#include "document/platform.h"
#include "document/state.h"

namespace wrimple {

class blush {
 public:
  static constexpr int kSliderMax = 255;
  static constexpr int kPageSize = 32;

  enum class Slider { Red, Green, Blue, Level };

  // Use SetupReferenceColor to open one: it registers the dialog in the state.
  blush(State& st, Platform& pf);
  blush(const blush&) = delete;
  blush& operator=(const blush&) = delete;

  // Every slider at 127, the last level 127.
  void OnInitDialog();

  // The user drags one slider to a position (clamped to 0..255), then the
  // dialog's scroll handling runs.
  void MoveSlider(Slider which, int position);
  // The scroll handling itself: the level rule, the channel values into the
  // reference colour, and the live re-merge.
  void OnHScroll();

  void OnGray();
  void OnBlack();
  void OnWhite();

  // Sliders, values and swatch from ReferenceColor.
  void SyncFromReference();

  int position(Slider which) const;
  int last_level() const { return last_level_; }
  int red() const { return red_; }
  int green() const { return green_; }
  int blue() const { return blue_; }
  // The colour the swatch shows, red in the low byte.
  ColorRef swatch() const { return swatch_; }

  // Set by the window that shows this dialog; called when the program closes the
  // dialog (the merge dialog opening, "Change Ref. Color", Blank Source), so the
  // window goes too.
  std::function<void()> on_close;

 private:
  void ApplyColour(int r, int g, int b);
  void RemergeIfMerging();

  State& st_;
  Platform& pf_;
  int red_slider_ = 127, green_slider_ = 127, blue_slider_ = 127, level_slider_ = 127;
  int red_ = 127, green_ = 127, blue_ = 127;
  int last_level_ = 127;
  ColorRef swatch_ = MakeColorRef(127, 127, 127);
};

// "Setup Reference Color": opens the dialog when none is open (initialised and
// loaded from ReferenceColor) and returns the open dialog.
blush* SetupReferenceColor(State& st, Platform& pf);

// Done, Escape, the close box, or the program closing it: on_close runs, the
// dialog object goes and the state forgets it. Nothing happens when none is
// open. The open dialog belongs to the state's ReferenceColorDialog until then,
// so the program closes it before it ends.
void CloseReferenceColorDialog(State& st);

}  // namespace wrimple
