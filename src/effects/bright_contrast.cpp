#include "effects/bright_contrast.h"

#include <algorithm>

#include "effects/byte_lanes.h"

namespace wrimple {

namespace {

int ContrastFactor(int contrast) { return (contrast * contrast) >> 8; }

// The mapping before the clamp, for one value or for eight. Every intermediate
// value stays within 16 bits: |x (x - 255)| <= 16256, |G s| <= 16320 and
// |k (y + B - 255)| + 2032 <= 18034.
template <typename Lanes>
[[gnu::always_inline]] inline Lanes Unclamped(Lanes x, Lanes brightness, Lanes k, Lanes gamma,
                                              Lanes gamma_quarter) {
  // s runs from -64 (mid-grey) to 0 (the ends): gamma moves the middle most.
  const Lanes s = (x * (x - 255)) >> 8;
  const Lanes y = x + ((gamma * s) >> 8) + gamma_quarter;
  return brightness - 128 + ((k * (y + brightness - 255) + 2032) >> 4);
}

}  // namespace

std::uint8_t BrightContrastValue(int x, int brightness, int contrast, int gamma) {
  return ClampByte(Unclamped(x, brightness, ContrastFactor(contrast), gamma, gamma / 4));
}

namespace {

// The slider constants of a group of bytes whose first byte is channel `phase`.
template <typename Lanes>
struct ChannelConstants {
  Lanes brightness, k, gamma, gamma_quarter;

  ChannelConstants(const BrightContrastLevels& levels, int phase) {
    const int b[3] = {levels.brightness[0], levels.brightness[1], levels.brightness[2]};
    const int f[3] = {ContrastFactor(levels.contrast[0]), ContrastFactor(levels.contrast[1]),
                      ContrastFactor(levels.contrast[2])};
    const int g[3] = {levels.gamma, levels.gamma, levels.gamma};
    const int q[3] = {levels.gamma / 4, levels.gamma / 4, levels.gamma / 4};
    brightness = PerChannel<Lanes>(b, phase);
    k = PerChannel<Lanes>(f, phase);
    gamma = PerChannel<Lanes>(g, phase);
    gamma_quarter = PerChannel<Lanes>(q, phase);
  }
};

template <typename Lanes>
struct ConstantsByPhase {
  explicit ConstantsByPhase(const BrightContrastLevels& levels) : at{{{levels, 0}, {levels, 1}, {levels, 2}}} {}
  std::array<ChannelConstants<Lanes>, 3> at;
};

}  // namespace

void ApplyBrightContrast(ConstTargetImage from, TargetImage to, const BrightContrastLevels& levels,
                         int threads) {
  // Each byte depends only on itself and its channel's sliders: the formula runs
  // on eight bytes at once, with the constants resolved once per call.
  const ConstantsByPhase<int> single(levels);
  const ConstantsByPhase<Shorts8> eight(levels);
  auto map_group = [&](auto lanes, const std::uint8_t* in, std::uint8_t* out, int j) {
    using Lanes = decltype(lanes);
    const ChannelConstants<Lanes>* by_phase;
    if constexpr (kLanesIn<Lanes> == 1)
      by_phase = single.at.data();
    else
      by_phase = eight.at.data();
    const ChannelConstants<Lanes>& c = by_phase[j % 3];
    StoreClampedBytes(out + j, Unclamped(LoadBytes<Lanes>(in + j), c.brightness, c.k, c.gamma, c.gamma_quarter));
  };
  // 24 bytes are three groups of eight whose first bytes are channels 0, 2
  // and 1: their constants stay in registers along the row.
  constexpr int kBlock = 3 * kLaneCount;
  const ChannelConstants<Shorts8> phase0 = eight.at[0], phase2 = eight.at[2], phase1 = eight.at[1];
  auto map = [](const std::uint8_t* from_byte, std::uint8_t* to_byte, const ChannelConstants<Shorts8>& c) {
    StoreClampedBytes(to_byte, Unclamped(LoadBytes<Shorts8>(from_byte), c.brightness, c.k, c.gamma, c.gamma_quarter));
  };
  const int row_bytes = 3 * to.width();
  ForEachRow(to.height(), threads, [&](int y) {
    const std::uint8_t* in = from.row(y);
    std::uint8_t* out = to.row(y);
    int j = 0;
    for (; j + kBlock <= row_bytes; j += kBlock) {
      map(in + j, out + j, phase0);
      map(in + j + kLaneCount, out + j + kLaneCount, phase2);
      map(in + j + 2 * kLaneCount, out + j + 2 * kLaneCount, phase1);
    }
    ForEachByteGroup(j, row_bytes, [&](auto lanes, int at) { map_group(lanes, in, out, at); });
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
