#include "effects/bright_contrast.h"

#include <algorithm>

#include "effects/byte_lanes.h"

namespace wrimple {

namespace {

// The constants of one channel's mapping: v = (k u + bias) >> 4 with
// u = x + ((G s) >> 8). It is the mapping ((k t + 2032) >> 4) + lift with
// t = u + G / 4 + B - 255 and lift = B - 128: k (G / 4 + B - 255) is a
// constant, and lift, a whole number of sixteenths, goes inside the shift.
struct ChannelTerms {
  int k, bias;

  ChannelTerms(int brightness, int contrast, int gamma)
      : k((contrast * contrast) >> 8),
        bias(k * (gamma / 4 + brightness - 255) + 2032 + 16 * (brightness - 128)) {}
};

// The mapping before the clamp, for one value or for eight. Every intermediate
// value stays within 16 bits: |x (x - 255)| <= 16256, |G s| <= 16320,
// -4032 <= k u <= 20034, -14994 <= bias <= 3040 and the sum, which is
// k t + 2032 + 16 lift, lies within -14994..19042.
template <typename Lanes>
[[gnu::always_inline]] inline Lanes Unclamped(Lanes x, Lanes gamma, Lanes k, Lanes bias) {
  // s runs from -64 (mid-grey) to 0 (the ends): gamma moves the middle most.
  const Lanes s = (x * (x - 255)) >> 8;
  const Lanes u = x + ((gamma * s) >> 8);
  return (k * u + bias) >> 4;
}

// The terms of the three channels, in lanes: lane i of a group whose first byte
// is channel `phase` is channel (phase + stride i) mod 3.
template <typename Lanes>
struct LaneTerms {
  Lanes k, bias;

  LaneTerms(const BrightContrastLevels& levels, int phase, int stride = 1) {
    const ChannelTerms c[3] = {{levels.brightness[0], levels.contrast[0], levels.gamma},
                               {levels.brightness[1], levels.contrast[1], levels.gamma},
                               {levels.brightness[2], levels.contrast[2], levels.gamma}};
    k = PerChannel<Lanes>({c[0].k, c[1].k, c[2].k}, phase, stride);
    bias = PerChannel<Lanes>({c[0].bias, c[1].bias, c[2].bias}, phase, stride);
  }
};

template <typename Lanes>
[[gnu::always_inline]] inline void MapGroup(const std::uint8_t* in, std::uint8_t* out, Lanes gamma,
                                            const LaneTerms<Lanes>& c) {
  StoreClampedBytes(out, Unclamped(LoadBytes<Lanes>(in), gamma, c.k, c.bias));
}

// A group of sixteen bytes from channel `phase`: its even bytes start at that
// channel, its odd bytes at the next, both stepping two bytes a lane.
struct SixteenByteTerms {
  LaneTerms<Shorts8> even, odd;
  SixteenByteTerms(const BrightContrastLevels& levels, int phase)
      : even(levels, phase, 2), odd(levels, (phase + 1) % 3, 2) {}
};

[[gnu::always_inline]] inline void MapSixteen(const std::uint8_t* in, std::uint8_t* out, Shorts8 gamma,
                                              const SixteenByteTerms& c) {
  const ByteHalves x = LoadBytes<ByteHalves>(in);
  StoreClampedBytes(out, ByteHalves{Unclamped(x.even, gamma, c.even.k, c.even.bias),
                                    Unclamped(x.odd, gamma, c.odd.k, c.odd.bias)});
}

}  // namespace

std::uint8_t BrightContrastValue(int x, int brightness, int contrast, int gamma) {
  const ChannelTerms c(brightness, contrast, gamma);
  return ClampByte(Unclamped(x, gamma, c.k, c.bias));
}

void ApplyBrightContrast(ConstTargetImage from, TargetImage to, const BrightContrastLevels& levels,
                         int threads) {
  // Each byte depends only on itself and its channel's sliders: the formula runs
  // on sixteen bytes at once, with the constants resolved once per call.
  // 48 bytes are three groups of sixteen whose first bytes are channels 0, 1
  // and 2; the rest of a row goes eight bytes, then one byte, at a time.
  const SixteenByteTerms sixteen[3] = {{levels, 0}, {levels, 1}, {levels, 2}};
  const LaneTerms<Shorts8> eight[3] = {{levels, 0}, {levels, 1}, {levels, 2}};
  const LaneTerms<int> single[3] = {{levels, 0}, {levels, 1}, {levels, 2}};
  const Shorts8 gamma8 = Shorts8{} + std::int16_t(levels.gamma);
  constexpr int kBlock = 48;
  const int row_bytes = 3 * to.width();
  ForEachTargetRow(to.height(), threads, [&](int y) {
    const std::uint8_t* in = from.row(y);
    std::uint8_t* out = to.row(y);
    // Local copies: the byte stores could alias anything reached by reference,
    // so these keep the constants in registers.
    const SixteenByteTerms c0 = sixteen[0], c1 = sixteen[1], c2 = sixteen[2];
    const Shorts8 g = gamma8;
    int j = 0;
    for (; j + kBlock <= row_bytes; j += kBlock) {
      MapSixteen(in + j, out + j, g, c0);
      MapSixteen(in + j + 16, out + j + 16, g, c1);
      MapSixteen(in + j + 32, out + j + 32, g, c2);
    }
    ForEachByteGroup(j, row_bytes, [&](auto lanes, int at) {
      if constexpr (kLanesIn<decltype(lanes)> == 1)
        MapGroup(in + at, out + at, levels.gamma, single[at % 3]);
      else
        MapGroup(in + at, out + at, g, eight[at % 3]);
    });
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
