// The modeless "Sizing Source images and Target " dialog: the sizes of the two
// sources, in percent or in pixels, fitting them to the target, and the target
// size. Every change goes to the document at once and recomposes, so the view
// follows while the dialog is open. The desktop dialog shows the edit texts and
// the enabled and checked states kept here and forwards each control's message.
#pragma once

#include <array>
#include <map>
#include <memory>
#include <set>
#include <string>

#include "document/platform.h"
#include "document/state.h"

namespace wrimple {

// Control ids of the dialog.
enum class ScalingControl : int {
  WidthPixels1 = 1056,
  WidthPixels2 = 1058,
  HeightPixels1 = 1057,
  HeightPixels2 = 1059,
  WidthPercent1 = 252,
  WidthPercent2 = 254,
  HeightPercent1 = 253,
  HeightPercent2 = 255,
  StepDown1 = 1001,
  StepDown2 = 1054,
  StepUp1 = 1053,
  StepUp2 = 1055,
  Reset1 = 1044,
  Reset2 = 1045,
  Apply = 256,
  FitToTarget = 1038,
  PreserveAspect = 1046,
  TargetWidth = 1034,
  TargetHeight = 1035,
  TargetApply = 1036,
  WindowSize = 1037,
  Size1920x1080 = 1048,
  Size1920x1200 = 1049,
  Size1680x1050 = 1050,
  Size1280x800 = 1051,
  SizeOther = 1052,
  Ok = 1,
  Cancel = 2,
};

// The range of scales the dialog lets reach the document.
inline constexpr float kMinScalePercent = 0.001f;
inline constexpr float kMaxScalePercent = 1000000.0f;

class source_scaling {
 public:
  // Creates the dialog over the current state and initialises its controls; it
  // counts as open (ScalingDialogOpen, ActiveScalingDialog) until closed or
  // destroyed.
  source_scaling(State& st, Platform& pf);
  ~source_scaling();
  source_scaling(const source_scaling&) = delete;
  source_scaling& operator=(const source_scaling&) = delete;

  // The text of an edit, as typed or as last shown.
  const std::string& Text(ScalingControl edit) const;
  void Type(ScalingControl edit, std::string text);
  bool IsEnabled(ScalingControl control) const;
  // The aspect check box and the radio buttons.
  bool IsChecked(ScalingControl control) const;
  bool closed() const { return closed_; }

  // The focus leaves an edit: its commit runs. False when the control is disabled
  // or an entry was refused (with the validation message).
  bool LeaveEdit(ScalingControl edit);
  // A button, the check box or a radio button. False when the control is
  // disabled, an entry was refused, or OK stayed open.
  bool Click(ScalingControl control);

  // The percentages as the document now holds them, with their pixel sizes; the
  // grab boxes call this after they rescale a source.
  void ReloadFromDocument();

 private:
  struct Column {
    float width_percent = 100;
    float height_percent = 100;
    int picture_width = 0;
    int picture_height = 0;
    int width_pixels = 0;
    int height_pixels = 0;
  };
  struct Saved {
    std::array<float, 2> scale_x, scale_y;
    std::array<int, 2> offset_x, offset_y;
    int target_width, target_height;
  };

  void InitDialog();
  bool ReadControls();
  bool ReadPercent(ScalingControl edit, float& value, std::string& problem) const;
  bool ReadPixels(ScalingControl edit, int picture_size, int& value, std::string& problem) const;
  void ShowValues();
  void StorePercentages(int n);
  void ComputePixels(int n);

  void CommitPercent(int n, bool width_edit);
  bool CommitPixels(int n, bool width_edit, const Column& before);
  void ToggleAspect();
  void ApplyPercentages();
  void SetBothPercentages(int n, float percent);
  void FitToTarget();
  void ApplyTargetSize();
  void SetToWindowSize();
  void ChooseCommonSize(ScalingControl radio, int width, int height);
  void ChooseOtherSize();
  bool Ok();
  void Cancel();
  void SetTargetFromDialog();
  void RepositionIfAligning();
  void Close();

  State& st_;
  Platform& pf_;
  Saved saved_;
  int target_width_ = 0;
  int target_height_ = 0;
  std::array<Column, 2> columns_;
  bool preserve_aspect_ = true;
  ScalingControl size_choice_ = ScalingControl::SizeOther;
  std::map<ScalingControl, std::string> texts_;
  std::set<ScalingControl> disabled_;
  bool closed_ = false;
};

// The "Source scaling" command: asks before overwriting target changes, then
// opens the dialog. Nothing (nullptr) when the question is answered No or the
// dialog is open already. The caller owns the dialog while it is open.
std::unique_ptr<source_scaling> OpenSourceScaling(State& st, Platform& pf);

}  // namespace wrimple
