#include "compose/reference_color_dialog.h"

#include <algorithm>
#include <memory>
#include <utility>

#include "compose/merge_dialog.h"
#include "compose/recompose.h"

namespace wrimple {

blush::blush(State& st, Platform& pf) : st_(st), pf_(pf) {}

void blush::OnInitDialog() {
  red_slider_ = green_slider_ = blue_slider_ = level_slider_ = 127;
  last_level_ = 127;
}

int blush::position(Slider which) const {
  switch (which) {
    case Slider::Red: return red_slider_;
    case Slider::Green: return green_slider_;
    case Slider::Blue: return blue_slider_;
    default: return level_slider_;
  }
}

void blush::MoveSlider(Slider which, int position) {
  const int clamped = std::clamp(position, 0, kSliderMax);
  switch (which) {
    case Slider::Red: red_slider_ = clamped; break;
    case Slider::Green: green_slider_ = clamped; break;
    case Slider::Blue: blue_slider_ = clamped; break;
    case Slider::Level: level_slider_ = clamped; break;
  }
  OnHScroll();
}

void blush::OnHScroll() {
  // A moved level slider carries all three channels with it; an untouched one
  // leaves them alone, so it is compared with where it stood last time.
  if (level_slider_ != last_level_) {
    last_level_ = level_slider_;
    red_slider_ = green_slider_ = blue_slider_ = level_slider_;
  }
  red_ = red_slider_;
  green_ = green_slider_;
  blue_ = blue_slider_;
  ApplyColour(red_, green_, blue_);
  RemergeIfMerging();
}

void blush::OnGray() {
  // The last level stays: the next slider movement then finds the level slider
  // moved and puts all three channels at 127 once more.
  red_slider_ = green_slider_ = blue_slider_ = level_slider_ = 127;
  red_ = green_ = blue_ = 127;
  ApplyColour(red_, green_, blue_);
  RemergeIfMerging();
}

void blush::OnBlack() {
  red_slider_ = green_slider_ = blue_slider_ = 0;
  red_ = green_ = blue_ = 0;
  ApplyColour(red_, green_, blue_);
  RemergeIfMerging();
}

void blush::OnWhite() {
  red_slider_ = green_slider_ = blue_slider_ = 255;
  red_ = green_ = blue_ = 255;
  ApplyColour(red_, green_, blue_);
  RemergeIfMerging();
}

void blush::SyncFromReference() {
  blue_slider_ = blue_ = st_.ReferenceColor[0];
  green_slider_ = green_ = st_.ReferenceColor[1];
  red_slider_ = red_ = st_.ReferenceColor[2];
  swatch_ = MakeColorRef(red_, green_, blue_);
}

void blush::ApplyColour(int r, int g, int b) {
  swatch_ = MakeColorRef(r, g, b);
  st_.ReferenceColor = Bgr{std::uint8_t(b), std::uint8_t(g), std::uint8_t(r)};
}

void blush::RemergeIfMerging() {
  if (st_.ActiveMergeDialog == nullptr || st_.MergeMethod == kNoMergeMethod) return;
  st_.ContrastThreshold = st_.ActiveMergeDialog->threshold_percent() * 255 / 100;
  MergeSources(st_, pf_);
}

blush* SetupReferenceColor(State& st, Platform& pf) {
  if (st.ReferenceColorDialog != nullptr) return st.ReferenceColorDialog;
  auto dialog = std::make_unique<blush>(st, pf);
  dialog->OnInitDialog();
  dialog->SyncFromReference();
  st.ReferenceColorDialog = dialog.release();
  return st.ReferenceColorDialog;
}

void CloseReferenceColorDialog(State& st) {
  const std::unique_ptr<blush> dialog(std::exchange(st.ReferenceColorDialog, nullptr));
  if (dialog && dialog->on_close) dialog->on_close();
}

}  // namespace wrimple
