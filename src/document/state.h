// The program-wide state: the document, the target and its working copy, and the
// editing state that the view holds. One object, created once by the program (or
// fresh by every test) and passed to the operations.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "document/document.h"
#include "document/pixels.h"
#include "document/platform.h"
#include "document/zeroed_buffer.h"

namespace wrimple {

class mergepix;
class source_scaling;
class rotate;
class blush;

// The rectangular zone. Corners are not normalised; all four at -1 means none.
struct WrimpleZone {
  int X1 = -1;
  int Y1 = -1;
  int X2 = -1;
  int Y2 = -1;
  int ZoneWidth = 20;   // of the last completed drag; the brush size
  int ZoneHeight = 20;
  bool Dragging = false;

  int xmin() const { return X1 < X2 ? X1 : X2; }
  int xmax() const { return X1 < X2 ? X2 : X1; }
  int ymin() const { return Y1 < Y2 ? Y1 : Y2; }
  int ymax() const { return Y1 < Y2 ? Y2 : Y1; }
  bool HasCorners() const { return X1 != -1 && Y1 != -1 && X2 != -1 && Y2 != -1; }
};

// Signed click counters of the zone operations; repeated clicks accumulate from
// one base picture in the working copy.
struct StepCounters {
  std::int32_t NudgeVerticalCount = 0;
  std::int32_t NudgeHorizontalCount = 0;
  double TwistCount = 0.0;
  std::int32_t SquashStretchCount = 0;
  std::int32_t PortionMergeCount = 0;
  std::int32_t BlushCount = 0;
};

struct SweepSum {
  std::int32_t S0 = 0;
  std::int32_t S1 = 0;
  std::int32_t S2 = 0;
  std::int32_t C = 0;
};

// A flying tip slot: empty, or a tip window with its text and initial rectangle.
// The desktop program shows the occupied slots; the core decides when they fill
// and empty.
struct TipSlot {
  bool occupied = false;
  bool window_open = false;  // a left press closes the preview tip's window only
  int left = 0, top = 0, right = 0, bottom = 0;
  std::string text;

  void Fill(int l, int t, int r, int b, std::string_view tip_text) {
    occupied = true;
    window_open = true;
    left = l, top = t, right = r, bottom = b;
    text = std::string(tip_text);
  }
  void Empty() { *this = TipSlot{}; }
  void CloseWindow() { window_open = false; }
};

struct TipSlots {
  TipSlot ZoneTip, StartTip, AlignTip, BrushTip, PreviewTip, GrabBoxTip;
};

// A grab box of aligning mode: a 20 x 20 child window of the view at a window
// position, with the hit-zone mode and press point of its latest click.
struct GrabBox {
  bool exists = false;
  int left = 0, top = 0;
  int mode = 0;
  int press_x = 0, press_y = 0;
  bool captured = false;
};

class State {
 public:
  State();
  State(const State&) = delete;
  State& operator=(const State&) = delete;

  Cwrimple32Doc doc;

  // The target and its working copy: bottom-up padded rows of the target size.
  ZeroedBuffer TargetBuffer{kImageBufferBytes};
  ZeroedBuffer TargetBackup{kImageBufferBytes};

  int TargetWidth() const { return target_width_; }
  int TargetHeight() const { return target_height_; }
  // Keeps the size within 1..4096 x 1..3072.
  void SetTargetSize(int width, int height);

  TargetImage Target() { return TargetImage(TargetBuffer.data(), target_width_, target_height_); }
  ConstTargetImage Target() const {
    return ConstTargetImage(TargetBuffer.data(), target_width_, target_height_);
  }
  TargetImage Backup() { return TargetImage(TargetBackup.data(), target_width_, target_height_); }
  ConstTargetImage Backup() const {
    return ConstTargetImage(TargetBackup.data(), target_width_, target_height_);
  }

  int SourceCount = 0;
  Bgr ReferenceColor{127, 127, 127};
  bool TargetLock = false;
  bool TargetModified = false;
  bool FirstTimeHelp = false;
  bool HelpPictureOpened = false;
  bool ImagingAvailable = false;

  // Editing state, with the values the view sets when it is created.
  WrimpleZone zone;
  StepCounters steps;
  int AligningSource = 0;
  bool SourceBrushing = false;
  bool SweepActive = false;
  bool MouseCaptured = false;  // the view holds the mouse from a press to its release
  // Target pixels the brush has painted since the view last repainted.
  PixelRect BrushPainted;
  int SweepX = -1;
  int SweepY = -1;
  SweepSum sweep_sum;
  bool SourcePreview = false;
  // The view's zoom, 1:1 at start; while ViewZoomFits is set the view keeps the
  // whole target in the window as the window or the target changes size.
  ZoomRatio ViewZoom;
  bool ViewZoomFits = false;
  bool ScalingDialogOpen = false;
  bool FlyingTipsEnabled = false;
  int MergeMethod = 6;
  int MergeBias = 127;
  int ContrastMode = 0;
  int ContrastThreshold = 127;
  int Aggressiveness = 5;  // 1..10
  int PrintLayout = 0;
  bool first_update = true;  // the view's first initial update reads the target size
  std::string document_title;
  TipSlots tips;
  // top_left, bottom_right, top_right, bottom_left, middle (compose/grab_box.h).
  std::array<GrabBox, 5> GrabBoxes;

  // Open dialogs that other dialogs and commands reach (none when closed).
  mergepix* ActiveMergeDialog = nullptr;
  source_scaling* ActiveScalingDialog = nullptr;
  rotate* ActiveRotateDialog = nullptr;
  blush* ReferenceColorDialog = nullptr;

 private:
  int target_width_ = 2048;
  int target_height_ = 1536;
};

inline constexpr int kNoMergeMethod = 11;

// The zone counts as selected when both extents are at least 10 pixels.
bool ZoneSelected(const State& st);
// Removes the zone and restarts every step counter.
void ClearZone(State& st);

// Copies the target region of the current size into the working copy.
void SnapshotTarget(State& st);
// Copies the working copy back into the target, pixel by pixel.
void RestoreFromSnapshot(State& st);

// The framework's document reset: ends help mode once a source exists.
void OnNewDocument(State& st);

// "1:  " or "2:  " and a description of how the slot was filled.
std::string DescribeSource(const Cwrimple32Doc& doc, int n);

// The claiming rule shared by the commands that add a source. Step 1, the
// question about discarding target changes: true to go on.
bool ConfirmDiscardTargetChanges(State& st, Platform& pf, std::string_view question);
// Steps 2 and 3: the slot the new source goes into (SourceCount updated), or 0
// when the replace dialog kept both. On failure the caller restores SourceCount
// to its value before the claim.
int ClaimSlot(State& st, Platform& pf);

}  // namespace wrimple
