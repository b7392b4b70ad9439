// The merge dialog: eleven method buttons, three contrast buttons, the bias and
// threshold sliders, the two source descriptions. Every change merges the whole
// target again at once; the settings stay in force after the dialog closes.
// The desktop dialog and the runner press its buttons and move its sliders
// through this model and show what it holds.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "document/platform.h"
#include "document/state.h"

namespace wrimple {

class blush;

class mergepix {
 public:
  static constexpr int kMethodCount = 11;
  static constexpr int kContrastModes = 3;
  static constexpr int kBiasMax = 255;
  static constexpr int kThresholdMax = 100;

  // Control ids of the method buttons by MergeMethod code, and of the contrast
  // buttons by ContrastMode.
  static constexpr std::array<int, kMethodCount> kMethodButtonIds = {
      1017, 1018, 1002, 1004, 1005, 1006, 1003, 1007, 1008, 1009, 1010};
  static constexpr std::array<int, kContrastModes> kContrastButtonIds = {1014, 1015, 1016};
  static constexpr std::array<std::string_view, kContrastModes> kContrastCaptions = {
      "Normal Contrast", "Infinite contast b/w", "Infinite contrast rgb"};

  mergepix(State& st, Platform& pf);
  mergepix(const mergepix&) = delete;
  mergepix& operator=(const mergepix&) = delete;

  // Sliders to their start, the reference colour dialog closed, the first merge
  // (average, bias 127, normal contrast), the descriptions and the captions.
  void OnInitDialog();

  // A click on a method button (code 0..10) or a contrast button (mode 0..2).
  void OnMethodButton(int code);
  void OnContrastButton(int mode);

  // The user drags a slider to a position (clamped to its range), then the
  // dialog's scroll handling runs.
  void MoveBiasSlider(int position);
  void MoveThresholdSlider(int position);
  void OnHScroll();

  // DONE: false (with a message) while no merge type is selected; the dialog
  // then stays open.
  bool OnOK();
  // Escape or the close box: the target keeps the last merge.
  void OnCancel();
  // "Change Ref. Color": the reference colour dialog opened anew.
  blush* OnChangeRefColor();
  // "Next Slide": the document's numbered save of the target; false when a file
  // it was to write was not written.
  bool OnNextSlide();
  // The window going: an open reference colour dialog goes with it.
  void OnDestroy();

  bool method_checked(int code) const { return method_checks_[std::size_t(code)]; }
  bool contrast_checked(int mode) const { return contrast_checks_[std::size_t(mode)]; }
  std::string_view method_caption(int code) const { return method_captions_[std::size_t(code)]; }
  int bias_position() const { return bias_position_; }
  int threshold_position() const { return threshold_position_; }
  int threshold_percent() const { return threshold_percent_; }
  // Descriptions of source 1 and 2 (edits 1024 and 1025).
  const std::string& description(int n) const { return descriptions_[std::size_t(n - 1)]; }
  // DONE accepted or Cancel pressed.
  bool ended() const { return ended_; }

 private:
  void Remerge();
  void MergeWithThreshold();

  State& st_;
  Platform& pf_;
  std::array<bool, kMethodCount> method_checks_{};
  std::array<bool, kContrastModes> contrast_checks_{};
  std::array<std::string_view, kMethodCount> method_captions_;
  std::array<std::string, 2> descriptions_;
  int bias_position_ = 127;
  int threshold_position_ = 50;
  int threshold_percent_ = 50;
  bool ended_ = false;
};

}  // namespace wrimple
