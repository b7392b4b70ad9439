// "Rotate Source 1" and "Rotate Source 2": the modal "Rotate Source" dialog, in
// which the angle is typed, picked from four presets or dragged on the dial, each
// change placed and shown at once over the source preview.
#pragma once

#include <functional>
#include <string>

#include "document/platform.h"
#include "document/state.h"

namespace wrimple {

// A shown angle (0 up to 360) as the source keeps it (above -181 up to 179).
float StoredAngle(float shown);
// A source's angle as the dialog shows it.
float ShownAngle(float stored);

class rotate {
 public:
  // The angles the edit accepts.
  static constexpr int kLowestAngle = 0;
  static constexpr int kHighestAngle = 359;

  // The dialog for source n, initialised: it shows the source's angle and places
  // the source.
  rotate(State& st, Platform& pf, int n);
  rotate(const rotate&) = delete;
  rotate& operator=(const rotate&) = delete;

  int source() const { return n_; }
  std::string label() const;  // "Selected Source 1"
  float shown_angle() const { return shown_; }
  float saved_angle() const { return saved_; }
  const std::string& angle_text() const { return text_; }
  bool closed() const { return closed_; }

  void TypeAngle(std::string text) { text_ = std::move(text); }
  // Leaving the edit reads it; false when the entry was refused.
  bool LeaveEdit();
  // "Apply": reads the edit, then applies the angle; false when refused.
  bool Apply();
  // The "0", "90", "180" and "270" buttons.
  void Preset(int degrees);
  // OK applies, then reads the edit once more and closes; false (still open)
  // when the entry is refused.
  bool Ok();
  // Back to the angle the source had when the dialog opened.
  void Cancel();

  // Mouse on the dial of the given size, in its own coordinates.
  void WheelPress(Size wheel, int x, int y);
  void WheelMove(Size wheel, int x, int y);
  void WheelRelease();
  bool wheel_dragging() const { return dragging_; }

 private:
  bool ReadAngle();
  void ApplyAngle();
  void ShowAngle();
  void PickOnWheel(Size wheel, int x, int y);

  State& st_;
  Platform& pf_;
  int n_;
  float saved_ = 0;
  float shown_ = 0;
  std::string text_;
  bool dragging_ = false;
  bool closed_ = false;
};

// The command: asks whether to overwrite target changes, then runs the dialog
// over the source preview. run_dialog plays the modal dialog (the desktop
// program's event loop, or a script's answers) until OK or Cancel; a dialog left
// open when it returns is closed as by Cancel. Afterwards the preview ends and the
// target is recomposed.
void RotateSource(State& st, Platform& pf, int n, const std::function<void(rotate&)>& run_dialog);

}  // namespace wrimple
