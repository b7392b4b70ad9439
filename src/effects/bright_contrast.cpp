#include "effects/bright_contrast.h"

#include <algorithm>

namespace wrimple {

std::uint8_t BrightContrastValue(int x, int brightness, int contrast, int gamma) {
  const int k = (contrast * contrast) >> 8;
  // s runs from -64 (mid-grey) to 0 (the ends): gamma bends the middle less.
  const int s = (x * (x - 255)) >> 8;
  const int y = x + ((gamma * s) >> 8) + gamma / 4;
  const int v = brightness - 128 + ((k * (y + brightness - 255) + 2032) >> 4);
  return ClampByte(v);
}

ChannelTable BrightContrastTable(int brightness, int contrast, int gamma) {
  ChannelTable table;
  for (int x = 0; x < 256; ++x) table[x] = BrightContrastValue(x, brightness, contrast, gamma);
  return table;
}

void ApplyBrightContrast(ConstTargetImage from, TargetImage to, const BrightContrastLevels& levels,
                         int threads) {
  // Each channel depends only on its own byte: one table per channel.
  std::array<ChannelTable, 3> tables;
  for (int c = 0; c < 3; ++c)
    tables[c] = BrightContrastTable(levels.brightness[c], levels.contrast[c], levels.gamma);
  const int row_bytes = 3 * to.width();
  ForEachRow(to.height(), threads, [&](int y) {
    const std::uint8_t* in = from.row(y);
    std::uint8_t* out = to.row(y);
    for (int i = 0; i < row_bytes; i += 3) {
      out[i] = tables[0][in[i]];
      out[i + 1] = tables[1][in[i + 1]];
      out[i + 2] = tables[2][in[i + 2]];
    }
  });
}

bright_cont::SliderRange bright_cont::RangeOf(Control slider) {
  if (slider == kGamma) return {-255, 255, 0};
  if (slider >= kContrastAll) return {0, 127, 64};
  return {64, 191, 128};
}

int bright_cont::IndexOf(Control slider) {
  return slider == kGamma ? 8 : int(slider) - int(kBrightnessAll);
}

bright_cont::bright_cont(State& st, Platform& pf) : st_(st), pf_(pf) { OnInitDialog(); }

void bright_cont::OnInitDialog() {
  for (Control slider : kSliders) positions_[IndexOf(slider)] = RangeOf(slider).initial;
}

int bright_cont::Position(Control slider) const { return positions_[IndexOf(slider)]; }

void bright_cont::SetPosition(Control slider, int position) {
  const SliderRange range = RangeOf(slider);
  positions_[IndexOf(slider)] = std::clamp(position, range.min, range.max);
}

void bright_cont::PropagateMasters() {
  const int brightness = Position(kBrightnessAll);
  if (brightness != remembered_brightness_) {
    remembered_brightness_ = brightness;
    for (Control c : {kBrightnessBlue, kBrightnessGreen, kBrightnessRed}) SetPosition(c, brightness);
  }
  const int contrast = Position(kContrastAll);
  if (contrast != remembered_contrast_) {
    remembered_contrast_ = contrast;
    for (Control c : {kContrastBlue, kContrastGreen, kContrastRed}) SetPosition(c, contrast);
  }
}

BrightContrastLevels bright_cont::Levels() const {
  return {
      .brightness = {Position(kBrightnessBlue), Position(kBrightnessGreen), Position(kBrightnessRed)},
      .contrast = {Position(kContrastBlue), Position(kContrastGreen), Position(kContrastRed)},
      .gamma = Position(kGamma),
  };
}

void bright_cont::OnHScroll() {
  PropagateMasters();
  ApplyBrightContrast(st_.Backup(), st_.Target(), Levels());
  pf_.view.RedrawView();
  st_.TargetModified = true;
}

void bright_cont::MoveSlider(Control slider, int position) {
  SetPosition(slider, position);
  OnHScroll();
}

void bright_cont::OnReset() {
  OnInitDialog();
  RestoreFromSnapshot(st_);
  pf_.view.RedrawView();
}

void RunBrightContrast(State& st, Platform& pf, const std::function<void(bright_cont&)>& run_modal) {
  bright_cont dialog(st, pf);
  SnapshotTarget(st);
  run_modal(dialog);
}

}  // namespace wrimple
