// "Bright/contrast": a brightness and a contrast per channel and one gamma for
// all three, applied to the whole target from the working copy on every slider
// movement of the dialog bright_cont.
#pragma once

#include <array>
#include <cstdint>
#include <functional>

#include "document/platform.h"
#include "document/state.h"
#include "effects/row_driver.h"

namespace wrimple {

// Slider positions in byte order: blue, green, red.
struct BrightContrastLevels {
  std::array<int, 3> brightness{128, 128, 128};  // 64..191
  std::array<int, 3> contrast{64, 64, 64};       // 0..127
  int gamma = 0;                                 // -255..255
};

// The mapping of one channel value x (0..255).
std::uint8_t BrightContrastValue(int x, int brightness, int contrast, int gamma);

// Writes every pixel of `to` from the same pixel of `from`; padding is left alone.
void ApplyBrightContrast(ConstTargetImage from, TargetImage to, const BrightContrastLevels& levels,
                         int threads = RowThreads());

// The dialog "Adjust Brightness & Contrast" as its controls see it.
class bright_cont {
 public:
  enum Control : int {
    kBrightnessAll = 1067,
    kBrightnessRed = 1068,
    kBrightnessGreen = 1069,
    kBrightnessBlue = 1070,
    kContrastAll = 1071,
    kContrastRed = 1072,
    kContrastGreen = 1073,
    kContrastBlue = 1074,
    kGamma = 1076,
  };
  struct SliderRange {
    int min, max, initial;
  };
  static constexpr int kTickSpacing = 32;
  static SliderRange RangeOf(Control slider);
  // Every slider, in the order of the table of controls.
  static constexpr std::array<Control, 9> kSliders{
      kBrightnessAll, kBrightnessRed, kBrightnessGreen, kBrightnessBlue, kContrastAll,
      kContrastRed,   kContrastGreen, kContrastBlue,    kGamma};

  bright_cont(State& st, Platform& pf);

  // Every slider at its initial position.
  void OnInitDialog();
  int Position(Control slider) const;
  // Places a slider as the control's own set-position does: kept within its
  // range, no scroll message.
  void SetPosition(Control slider, int position);
  // The horizontal scroll message of any slider: master propagation, then the
  // recomputation of the target from the working copy.
  void OnHScroll();
  // A user's movement: the slider takes the position, then its scroll message.
  void MoveSlider(Control slider, int position);
  // "Reset": sliders to their initial positions and the working copy back on
  // the target. The remembered master positions stay.
  void OnReset();

  BrightContrastLevels Levels() const;

 private:
  static int IndexOf(Control slider);
  void PropagateMasters();

  State& st_;
  Platform& pf_;
  std::array<int, 9> positions_{};
  int remembered_brightness_ = 128;
  int remembered_contrast_ = 64;
};

// Command "Bright/contrast": snapshot, then the dialog runs modally through
// run_modal (the desktop dialog, or the runner's answers). OK and the close box
// both leave the target as the dialog last made it.
void RunBrightContrast(State& st, Platform& pf, const std::function<void(bright_cont&)>& run_modal);

}  // namespace wrimple
