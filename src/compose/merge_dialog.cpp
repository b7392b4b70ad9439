#include "compose/merge_dialog.h"

#include <algorithm>

#include "compose/recompose.h"
#include "compose/reference_color_dialog.h"
#include "io/saving.h"

namespace wrimple {

namespace {

constexpr int kAverageCode = 6;
constexpr int kFirstComparisonCode = 7;

constexpr std::array<std::string_view, mergepix::kMethodCount> kMethodCaptions = {
    "1 only to target",          "2 only to target",          "Brightest pixel 1 , 2",
    "Darkest pixel   1 , 2",     "Subtract Pixel  1 - 2",     "Subtract Pixel  2 - 1",
    "Average Pixel  1 , 2",      "If 1 > Ref. then 1 else 2", "If 1 > Ref. then 2 else 1",
    "If 2 > Ref. then 1 else 2", "If 2 > Ref. then 2 else 1"};

// The comparison buttons of a typed-text source test for its ink instead.
constexpr std::array<std::string_view, 4> kTextComparisonCaptions = {
    "If text(1) then 1 else 2", "If text(1) then 2 else 1", "If text(2) then 1 else 2",
    "If text(2) then 2 else 1"};

}  // namespace

mergepix::mergepix(State& st, Platform& pf) : st_(st), pf_(pf), method_captions_(kMethodCaptions) {
  method_checks_[kAverageCode] = true;
  contrast_checks_[0] = true;
}

void mergepix::OnInitDialog() {
  bias_position_ = 127;
  threshold_position_ = 50;
  threshold_percent_ = 50;
  CloseReferenceColorDialog(st_);
  Remerge();
  descriptions_[0] = DescribeSource(st_.doc, 1);
  descriptions_[1] = DescribeSource(st_.doc, 2);
  for (int n = 1; n <= 2; ++n) {
    if (st_.doc.Source(n).SourceKind != kKindTypedText) continue;
    const std::size_t first = std::size_t(2 * (n - 1));
    method_captions_[kFirstComparisonCode + first] = kTextComparisonCaptions[first];
    method_captions_[kFirstComparisonCode + first + 1] = kTextComparisonCaptions[first + 1];
  }
}

void mergepix::OnMethodButton(int code) {
  method_checks_.fill(false);
  method_checks_[std::size_t(code)] = true;
  st_.MergeMethod = code;
  Remerge();
}

void mergepix::OnContrastButton(int mode) {
  contrast_checks_.fill(false);
  contrast_checks_[std::size_t(mode)] = true;
  st_.ContrastMode = mode;
  Remerge();
}

void mergepix::MoveBiasSlider(int position) {
  bias_position_ = std::clamp(position, 0, kBiasMax);
  OnHScroll();
}

void mergepix::MoveThresholdSlider(int position) {
  threshold_position_ = std::clamp(position, 0, kThresholdMax);
  OnHScroll();
}

void mergepix::OnHScroll() {
  st_.MergeBias = bias_position_;
  threshold_percent_ = kThresholdMax - threshold_position_;
  if (st_.MergeMethod != kNoMergeMethod) MergeWithThreshold();
}

bool mergepix::OnOK() {
  if (st_.MergeMethod == kNoMergeMethod) {
    pf_.messages.ShowInfo("Need to select a merge type:\nPlease press one of the left buttons");
    return false;
  }
  ended_ = true;
  MergeWithThreshold();
  return true;
}

void mergepix::OnCancel() { ended_ = true; }

blush* mergepix::OnChangeRefColor() {
  CloseReferenceColorDialog(st_);
  return SetupReferenceColor(st_, pf_);
}

bool mergepix::OnNextSlide() { return NextSave(st_, pf_); }

void mergepix::OnDestroy() { CloseReferenceColorDialog(st_); }

// Every method and contrast choice puts the bias back to the middle.
void mergepix::Remerge() {
  bias_position_ = 127;
  st_.MergeBias = 127;
  if (st_.MergeMethod == kNoMergeMethod) return;
  MergeWithThreshold();
}

void mergepix::MergeWithThreshold() {
  st_.ContrastThreshold = threshold_percent_ * 255 / 100;
  MergeSources(st_, pf_);
}

}  // namespace wrimple
