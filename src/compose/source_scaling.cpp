#include "compose/source_scaling.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "compose/align.h"
#include "compose/recompose.h"
#include "compose/scale_steps.h"
#include "compose/truncate.h"
#include "document/field_exchange.h"

namespace wrimple {

namespace {

using C = ScalingControl;

constexpr int kMinTargetEdit = 100;

struct SourceControls {
  C width_pixels, height_pixels, width_percent, height_percent, step_down, step_up, reset;
};
constexpr SourceControls kControls[2] = {
    {C::WidthPixels1, C::HeightPixels1, C::WidthPercent1, C::HeightPercent1, C::StepDown1,
     C::StepUp1, C::Reset1},
    {C::WidthPixels2, C::HeightPixels2, C::WidthPercent2, C::HeightPercent2, C::StepDown2,
     C::StepUp2, C::Reset2},
};
const SourceControls& ControlsOf(int n) { return kControls[n - 1]; }

// The source (1 or 2) a per-source control belongs to, 0 for the others.
int SourceOfControl(C id) {
  for (int n = 1; n <= 2; ++n) {
    const SourceControls& c = ControlsOf(n);
    for (C member : {c.width_pixels, c.height_pixels, c.width_percent, c.height_percent,
                     c.step_down, c.step_up, c.reset})
      if (member == id) return n;
  }
  return 0;
}

constexpr C kTargetControls[] = {C::TargetWidth,   C::TargetHeight,  C::TargetApply,
                                 C::WindowSize,    C::Size1920x1080, C::Size1920x1200,
                                 C::Size1680x1050, C::Size1280x800,  C::SizeOther};
// The controls a common size disables and "Other" enables again.
constexpr C kFreeSizeControls[] = {C::TargetWidth, C::TargetHeight, C::TargetApply, C::WindowSize};

std::string FormatPercent(float v) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.*g", 6, double(v));
  return buffer;
}

// Pixel size of a picture side at a percentage, in single precision.
int ScaledPixels(int picture_size, float percent) {
  return TruncateToInt(float(picture_size) * percent / 100.0f);
}

// The largest pixel size: the one at the largest accepted percentage.
int MostPixels(int picture_size) { return picture_size * int(kMaxScalePercent / 100); }

bool HasPicture(const SourceImage& s) {
  return s.SourcePicture && s.SourcePicture->width() > 0 && s.SourcePicture->height() > 0;
}

}  // namespace

source_scaling::source_scaling(State& st, Platform& pf) : st_(st), pf_(pf) {
  for (int i = 0; i < 2; ++i) {
    const SourceImage& s = st.doc.Source(i + 1);
    saved_.scale_x[std::size_t(i)] = s.ScaleXPercent;
    saved_.scale_y[std::size_t(i)] = s.ScaleYPercent;
    saved_.offset_x[std::size_t(i)] = s.OffsetX;
    saved_.offset_y[std::size_t(i)] = s.OffsetY;
  }
  saved_.target_width = st.TargetWidth();
  saved_.target_height = st.TargetHeight();
  st.ScalingDialogOpen = true;
  InitDialog();
}

source_scaling::~source_scaling() { Close(); }

void source_scaling::InitDialog() {
  target_width_ = st_.TargetWidth();
  target_height_ = st_.TargetHeight();
  for (int n = 1; n <= 2; ++n) {
    const SourceImage& s = st_.doc.Source(n);
    Column& c = columns_[std::size_t(n - 1)];
    c.width_percent = s.ScaleXPercent;
    c.height_percent = s.ScaleYPercent;
    c.picture_width = s.SourcePicture ? s.SourcePicture->width() : 0;
    c.picture_height = s.SourcePicture ? s.SourcePicture->height() : 0;
    ComputePixels(n);
  }
  preserve_aspect_ = true;
  for (int n = 1; n <= 2; ++n) {
    if (st_.SourceCount >= n && st_.doc.Source(n).SourceKind != kKindBlank) continue;
    const SourceControls& c = ControlsOf(n);
    disabled_.insert({c.width_pixels, c.height_pixels, c.width_percent, c.height_percent,
                      c.step_down, c.step_up, c.reset});
  }
  RecomposeTarget(st_, pf_);
  size_choice_ = C::SizeOther;
  ShowValues();
  if (st_.TargetLock) disabled_.insert(std::begin(kTargetControls), std::end(kTargetControls));
}

const std::string& source_scaling::Text(ScalingControl edit) const {
  static const std::string kNone;
  const auto it = texts_.find(edit);
  return it == texts_.end() ? kNone : it->second;
}

void source_scaling::Type(ScalingControl edit, std::string text) { texts_[edit] = std::move(text); }

bool source_scaling::IsEnabled(ScalingControl control) const {
  return !closed_ && !disabled_.count(control);
}

bool source_scaling::IsChecked(ScalingControl control) const {
  if (control == C::PreserveAspect) return preserve_aspect_;
  return control == size_choice_;
}

void source_scaling::ShowValues() {
  texts_[C::TargetWidth] = std::to_string(target_width_);
  texts_[C::TargetHeight] = std::to_string(target_height_);
  for (int n = 1; n <= 2; ++n) {
    const Column& col = columns_[std::size_t(n - 1)];
    const SourceControls& c = ControlsOf(n);
    texts_[c.width_percent] = FormatPercent(col.width_percent);
    texts_[c.height_percent] = FormatPercent(col.height_percent);
    texts_[c.width_pixels] = std::to_string(col.width_pixels);
    texts_[c.height_pixels] = std::to_string(col.height_pixels);
  }
}

bool source_scaling::ReadPercent(ScalingControl edit, float& value, std::string& problem) const {
  if (disabled_.count(edit)) return true;
  double v = 0;
  problem = ExchangeNumber(Text(edit), kMinScalePercent, kMaxScalePercent, v);
  if (!problem.empty()) return false;
  value = float(v);
  return true;
}

// Pixel sizes from 0 (what a tiny scale shows) up to MostPixels; only a committed
// pixel size must be at least 1.
bool source_scaling::ReadPixels(ScalingControl edit, int picture_size, int& value,
                                std::string& problem) const {
  if (disabled_.count(edit) || picture_size <= 0) return true;
  int v = 0;
  if (!ReadFieldInteger(Text(edit), v)) {
    problem = kEnterAnInteger;
    return false;
  }
  if (v < 0 || v > MostPixels(picture_size)) {
    problem = EnterAnIntegerBetween(1, MostPixels(picture_size));
    return false;
  }
  value = v;
  return true;
}

// The dialog's data exchange: every enabled edit is read into its member. A
// refused entry leaves its member as it was, except an out-of-range target size,
// which the target "Apply" limits afterwards. The first problem is reported.
bool source_scaling::ReadControls() {
  std::string problem;
  auto report = [&problem](std::string p) {
    if (problem.empty()) problem = std::move(p);
  };
  auto read_target = [&](C edit, int maximum, int& member) {
    if (disabled_.count(edit)) return;
    report(ExchangeInteger(Text(edit), kMinTargetEdit, maximum, member));
  };
  read_target(C::TargetWidth, kMaxTargetWidth, target_width_);
  read_target(C::TargetHeight, kMaxTargetHeight, target_height_);
  for (int n = 1; n <= 2; ++n) {
    Column& col = columns_[std::size_t(n - 1)];
    const SourceControls& c = ControlsOf(n);
    std::string p;
    if (!ReadPercent(c.width_percent, col.width_percent, p)) report(p);
    if (!ReadPercent(c.height_percent, col.height_percent, p)) report(p);
    if (!ReadPixels(c.width_pixels, col.picture_width, col.width_pixels, p)) report(p);
    if (!ReadPixels(c.height_pixels, col.picture_height, col.height_pixels, p)) report(p);
  }
  if (problem.empty()) return true;
  pf_.messages.ShowError(problem);
  return false;
}

void source_scaling::StorePercentages(int n) {
  if (disabled_.count(ControlsOf(n).width_percent)) return;
  SourceImage& s = st_.doc.Source(n);
  s.ScaleXPercent = columns_[std::size_t(n - 1)].width_percent;
  s.ScaleYPercent = columns_[std::size_t(n - 1)].height_percent;
}

void source_scaling::ComputePixels(int n) {
  Column& c = columns_[std::size_t(n - 1)];
  c.width_pixels = ScaledPixels(c.picture_width, c.width_percent);
  c.height_pixels = ScaledPixels(c.picture_height, c.height_percent);
}

bool source_scaling::LeaveEdit(ScalingControl edit) {
  if (!IsEnabled(edit)) return false;
  const int n = SourceOfControl(edit);
  if (n == 0) return true;  // the target size edits are read by their buttons
  const SourceControls& c = ControlsOf(n);
  const bool is_percent = edit == c.width_percent || edit == c.height_percent;
  const bool is_pixels = edit == c.width_pixels || edit == c.height_pixels;
  if (!is_percent && !is_pixels) return true;
  const Column before = columns_[std::size_t(n - 1)];
  const bool accepted = ReadControls();
  if (is_percent) CommitPercent(n, edit == c.width_percent);
  if (is_pixels) return CommitPixels(n, edit == c.width_pixels, before) && accepted;
  return accepted;
}

void source_scaling::CommitPercent(int n, bool width_edit) {
  Column& c = columns_[std::size_t(n - 1)];
  if (preserve_aspect_) {
    if (width_edit)
      c.height_percent = c.width_percent;
    else
      c.width_percent = c.height_percent;
  }
  StorePercentages(n);
  ComputePixels(n);
  RecomposeTarget(st_, pf_);
  ShowValues();
}

// A size of 0 pixels would make a scale of 0: it is refused and the size shown
// before comes back.
bool source_scaling::CommitPixels(int n, bool width_edit, const Column& before) {
  Column& c = columns_[std::size_t(n - 1)];
  if (c.picture_width <= 0 || c.picture_height <= 0) return true;
  int& pixels = width_edit ? c.width_pixels : c.height_pixels;
  if (pixels < 1) {
    pixels = width_edit ? before.width_pixels : before.height_pixels;
    pf_.messages.ShowError(EnterAnIntegerBetween(1, MostPixels(width_edit ? c.picture_width : c.picture_height)));
    ShowValues();
    return false;
  }
  if (width_edit) {
    c.width_percent = float(c.width_pixels) * 100.0f / float(c.picture_width);
    if (preserve_aspect_) {
      c.height_percent = c.width_percent;
      c.height_pixels = ScaledPixels(c.picture_height, c.height_percent);
    }
  } else {
    c.height_percent = float(c.height_pixels) * 100.0f / float(c.picture_height);
    if (preserve_aspect_) {
      c.width_percent = c.height_percent;
      c.width_pixels = ScaledPixels(c.picture_width, c.width_percent);
    }
  }
  StorePercentages(n);
  RecomposeTarget(st_, pf_);
  ShowValues();
  return true;
}

bool source_scaling::Click(ScalingControl control) {
  if (!IsEnabled(control)) return false;
  for (int n = 1; n <= 2; ++n) {
    const SourceControls& c = ControlsOf(n);
    const Column& col = columns_[std::size_t(n - 1)];
    if (control == c.reset) SetBothPercentages(n, 100.0f);
    if (control == c.step_down) SetBothPercentages(n, StepDownPercent(col.width_percent, col.height_percent));
    if (control == c.step_up) SetBothPercentages(n, StepUpPercent(col.width_percent, col.height_percent));
  }
  bool accepted = true;
  switch (control) {
    case C::Apply:
      accepted = ReadControls();
      ApplyPercentages();
      break;
    case C::FitToTarget:
      accepted = ReadControls();
      FitToTarget();
      break;
    case C::PreserveAspect:
      preserve_aspect_ = !preserve_aspect_;
      accepted = ReadControls();
      ToggleAspect();
      break;
    case C::TargetApply:
      accepted = ReadControls();
      ApplyTargetSize();
      break;
    case C::WindowSize: SetToWindowSize(); break;
    case C::Size1920x1080: ChooseCommonSize(control, 1920, 1080); break;
    case C::Size1920x1200: ChooseCommonSize(control, 1920, 1200); break;
    case C::Size1680x1050: ChooseCommonSize(control, 1680, 1050); break;
    case C::Size1280x800: ChooseCommonSize(control, 1280, 800); break;
    case C::SizeOther: ChooseOtherSize(); break;
    case C::Ok: return Ok();
    case C::Cancel: Cancel(); break;
    default: break;
  }
  return accepted;
}

void source_scaling::ToggleAspect() {
  if (preserve_aspect_) {
    for (Column& c : columns_) c.width_percent = c.height_percent = std::min(c.width_percent, c.height_percent);
  }
  StorePercentages(1);
  StorePercentages(2);
  RecomposeTarget(st_, pf_);
  ShowValues();
}

void source_scaling::ApplyPercentages() {
  StorePercentages(1);
  StorePercentages(2);
  RecomposeTarget(st_, pf_);
  RepositionIfAligning();
}

// "100%", "<" and ">": both percentages of source n to one value, and the
// offsets moved so that the picture keeps its place in the view.
void source_scaling::SetBothPercentages(int n, float percent) {
  Column& c = columns_[std::size_t(n - 1)];
  const Size client = pf_.view.ClientSize();
  const Column before = c;
  c.width_percent = c.height_percent = percent;
  StorePercentages(n);
  ComputePixels(n);
  ShowValues();
  SourceImage& s = st_.doc.Source(n);
  s.OffsetX = KeptOffset(s.OffsetX, before.width_percent, percent, before.width_pixels,
                         c.width_pixels, client.width);
  s.OffsetY = KeptOffset(s.OffsetY, before.height_percent, percent, before.height_pixels,
                         c.height_pixels, client.height);
  RecomposeTarget(st_, pf_);
  RepositionIfAligning();
}

void source_scaling::FitToTarget() {
  const int sources = std::max(1, std::min(st_.SourceCount, 2));
  std::array<float, 2> box_width{}, box_height{};
  std::array<bool, 2> fitted{};
  for (int n = 1; n <= sources; ++n) {
    const SourceImage& s = st_.doc.Source(n);
    if (!HasPicture(s)) continue;  // a slot without a picture has nothing to fit
    const std::size_t i = std::size_t(n - 1);
    double theta = s.Angle * 0.017453277777777776;
    if (s.Flipped == 1) theta = -theta;
    const float sa = float(std::fabs(std::sin(theta))), ca = float(std::fabs(std::cos(theta)));
    const float w = float(s.SourcePicture->width()), h = float(s.SourcePicture->height());
    box_width[i] = h * sa + w * ca;
    box_height[i] = h * ca + w * sa;
    columns_[i].width_percent = float(st_.TargetWidth() * 100) / box_width[i];
    columns_[i].height_percent = float(st_.TargetHeight() * 100) / box_height[i];
    fitted[i] = true;
  }
  for (std::size_t i = 0; i < 2; ++i) {
    Column& c = columns_[i];
    if (fitted[i] && preserve_aspect_)
      c.width_percent = c.height_percent = std::min(c.width_percent, c.height_percent);
  }
  StorePercentages(1);
  StorePercentages(2);
  for (std::size_t i = 0; i < 2; ++i) {
    if (!fitted[i]) continue;
    columns_[i].width_pixels = TruncateToInt(columns_[i].width_percent * box_width[i] / 100.0f);
    columns_[i].height_pixels = TruncateToInt(columns_[i].height_percent * box_height[i] / 100.0f);
  }
  ShowValues();
  for (int n = 1; n <= 2; ++n) {
    if (!fitted[std::size_t(n - 1)]) continue;
    PlaceSource(st_, n);
    SourceImage& s = st_.doc.Source(n);
    s.OffsetX = (s.PlacedWidth - st_.TargetWidth()) / 2;
    s.OffsetY = (s.PlacedHeight - st_.TargetHeight()) / 2;
  }
  RecomposeTarget(st_, pf_);
}

void source_scaling::ApplyTargetSize() {
  target_width_ = std::clamp(target_width_, kMinTargetEdit, kMaxTargetWidth);
  target_height_ = std::clamp(target_height_, kMinTargetEdit, kMaxTargetHeight);
  ShowValues();
  SetTargetFromDialog();
  RecomposeTarget(st_, pf_);
}

void source_scaling::SetToWindowSize() {
  const Size client = pf_.view.ClientSize();
  target_width_ = std::min(client.width, kMaxTargetWidth);
  target_height_ = std::min(client.height, kMaxTargetHeight);
  SetTargetFromDialog();
  ShowValues();
  RecomposeTarget(st_, pf_);
}

void source_scaling::ChooseCommonSize(ScalingControl radio, int width, int height) {
  size_choice_ = radio;
  target_width_ = width;
  target_height_ = height;
  disabled_.insert(std::begin(kFreeSizeControls), std::end(kFreeSizeControls));
  SetTargetFromDialog();
  RecomposeTarget(st_, pf_);
  ShowValues();
}

void source_scaling::ChooseOtherSize() {
  size_choice_ = C::SizeOther;
  for (C control : kFreeSizeControls) disabled_.erase(control);
}

void source_scaling::SetTargetFromDialog() {
  st_.SetTargetSize(target_width_, target_height_);
  pf_.view.SetScrollSizes(st_.TargetWidth(), st_.TargetHeight());
}

bool source_scaling::Ok() {
  if (!ReadControls()) return false;
  StorePercentages(1);
  StorePercentages(2);
  SetTargetFromDialog();
  // A picture pushed wholly past the right or bottom edge comes back to the
  // left or top edge.
  for (int n = 1; n <= std::min(st_.SourceCount, 2); ++n) {
    SourceImage& s = st_.doc.Source(n);
    if (s.OffsetX + st_.TargetWidth() < 0) s.OffsetX = 0;
    if (s.OffsetY + st_.TargetHeight() < 0) s.OffsetY = 0;
  }
  Close();
  return true;
}

void source_scaling::Cancel() {
  for (int i = 0; i < 2; ++i) {
    SourceImage& s = st_.doc.Source(i + 1);
    s.ScaleXPercent = saved_.scale_x[std::size_t(i)];
    s.ScaleYPercent = saved_.scale_y[std::size_t(i)];
    s.OffsetX = saved_.offset_x[std::size_t(i)];
    s.OffsetY = saved_.offset_y[std::size_t(i)];
  }
  st_.SetTargetSize(saved_.target_width, saved_.target_height);
  pf_.view.SetScrollSizes(st_.TargetWidth(), st_.TargetHeight());
  Close();
  RecomposeTarget(st_, pf_);
}

void source_scaling::ReloadFromDocument() {
  for (int n = 1; n <= 2; ++n) {
    Column& c = columns_[std::size_t(n - 1)];
    c.width_percent = st_.doc.Source(n).ScaleXPercent;
    c.height_percent = st_.doc.Source(n).ScaleYPercent;
    ComputePixels(n);
  }
  ShowValues();
}

void source_scaling::RepositionIfAligning() {
  if (st_.AligningSource != 0) RepositionGrabBoxes(st_, pf_, st_.AligningSource);
}

void source_scaling::Close() {
  if (closed_) return;
  closed_ = true;
  st_.ScalingDialogOpen = false;
  if (st_.ActiveScalingDialog == this) st_.ActiveScalingDialog = nullptr;
}

std::unique_ptr<source_scaling> OpenSourceScaling(State& st, Platform& pf) {
  if (!st.TargetLock) {
    if (st.TargetModified &&
        !pf.messages.AskYesNo("Changing source sizes will overwrite your previous changes to the "
                              "Target.\nIs this OK ??"))
      return nullptr;
    st.TargetModified = false;
  }
  if (st.ActiveScalingDialog) return nullptr;
  auto dialog = std::make_unique<source_scaling>(st, pf);
  st.ActiveScalingDialog = dialog.get();
  st.tips.AlignTip.Empty();
  st.tips.PreviewTip.Empty();
  RecomposeTarget(st, pf);
  return dialog;
}

}  // namespace wrimple
