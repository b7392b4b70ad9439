#include <gtest/gtest.h>

#include "effects/effects1_dialog.h"
#include "special_effects_fixture.h"

namespace wrimple::testing {
namespace {

// The effect written out pixel by pixel, every access through pixel(x, y).
void ModelEffects1(ConstTargetImage in, TargetImage out, const Effects1Parameters& p,
                   RandomGenerator& random) {
  const int w = in.width(), h = in.height();
  int cy = 0;
  for (int y = 0; y < h; ++y) {
    int cx = 0;
    for (int x = 0; x < w; ++x) {
      if (x == w - 1 || y == h - 1) continue;
      int sb = 0, sg = 0, sr = 0;
      for (auto [px, py] : {std::pair{x, y}, {x + 1, y}, {x + 1, y + 1}, {x, y + 1}}) {
        sb += in.pixel(px, py)[0];
        sg += in.pixel(px, py)[1];
        sr += in.pixel(px, py)[2];
      }
      const int a = sb >> 2, g5 = (5 * sg) >> 2, r3 = (3 * sr) >> 2;
      const int v = (a ^ g5 ^ r3) & 255;
      const int ra = random.Rand();
      const int dyt = ((v - 127) >> 5) * p.tear + ((ra & 3) - 1) * p.scatter;
      if (cx > p.segment) cx = 0;
      if (cy > p.segment) cy = 0;
      const int rb = random.Rand();
      const int tx = x + cx + (((a + g5 + r3) >> 8) - 4) * p.vitreous1 + ((rb & 3) - 1) * p.scatter;
      const int ty = y + cy + dyt;
      if (ty < 0 || ty > h - 1 || tx < 0 || tx > w - 1) continue;
      if (v * p.vitreous2 <= 192)
        WritePixel(out.pixel(x, y), ReadPixel(in.pixel(tx, ty)));
      else
        WritePixel(out.pixel(x, y), Bgr{std::uint8_t(v), std::uint8_t(v), std::uint8_t(v)});
      ++cx;
    }
    ++cy;
  }
}

int PatternOfBlock(ConstTargetImage in, int x, int y) {
  int s[3] = {0, 0, 0};
  for (int c = 0; c < 3; ++c)
    s[c] = in.pixel(x, y)[c] + in.pixel(x + 1, y)[c] + in.pixel(x, y + 1)[c] + in.pixel(x + 1, y + 1)[c];
  return ((s[0] >> 2) ^ ((5 * s[1]) >> 2) ^ ((3 * s[2]) >> 2)) & 255;
}

class Effects1Test : public SpecialEffectsTest {
 protected:
  void SetUp() override { UseTarget(37, 23); }
};

TEST_F(Effects1Test, ClicksThatLeaveEverySpinAtZeroReproduceTheSnapshot) {
  const auto before = TargetPixels();
  effects dialog(st, tp);
  dialog.OnSpinClick(effects::kScatter, +1);
  EXPECT_NE(TargetPixels(), before);
  dialog.OnSpinClick(effects::kScatter, -1);
  EXPECT_EQ(TargetPixels(), before);
  EXPECT_TRUE(st.TargetModified);
  EXPECT_EQ(tp.view.redraws, 2);
}

TEST_F(Effects1Test, Vitreous2At15GreysEveryBlockWhosePatternExceeds12) {
  const auto snapshot_pixels = TargetPixels();
  effects dialog(st, tp);
  dialog.SetPosition(effects::kVitreous2, 15);
  dialog.OnHScroll();
  int greyed = 0;
  for (int y = 0; y < st.TargetHeight() - 1; ++y)
    for (int x = 0; x < st.TargetWidth() - 1; ++x) {
      const int v = PatternOfBlock(st.Backup(), x, y);
      const Bgr expected = v > 12 ? Bgr{std::uint8_t(v), std::uint8_t(v), std::uint8_t(v)}
                                  : ReadPixel(st.Backup().pixel(x, y));
      greyed += v > 12;
      ASSERT_EQ(ReadPixel(st.Target().pixel(x, y)), expected) << x << "," << y;
    }
  EXPECT_GT(greyed, 0);
}

TEST_F(Effects1Test, SegmentZeroKeepsTheCountersAtZero) {
  effects dialog(st, tp);
  dialog.SetPosition(effects::kTear, 3);
  dialog.OnHScroll();
  for (int y = 0; y < st.TargetHeight() - 1; ++y)
    for (int x = 0; x < st.TargetWidth() - 1; ++x) {
      const int ty = y + ((PatternOfBlock(st.Backup(), x, y) - 127) >> 5) * 3;
      const Bgr expected = ReadPixel(st.Backup().pixel(x, ty >= 0 && ty < st.TargetHeight() ? ty : y));
      ASSERT_EQ(ReadPixel(st.Target().pixel(x, y)), expected) << x << "," << y;
    }
}

TEST_F(Effects1Test, ResetPutsTheSnapshotAndTheSpinsBack) {
  const auto before = TargetPixels();
  effects dialog(st, tp);
  dialog.OnSpinClick(effects::kVitreous1, +3);
  dialog.OnSpinClick(effects::kSegment, +5);
  dialog.OnSpinClick(effects::kTear, +9);
  EXPECT_EQ(dialog.position(effects::kTear), 7);
  dialog.OnReset();
  EXPECT_EQ(TargetPixels(), before);
  for (int s = 0; s < effects::kSpinCount; ++s) EXPECT_EQ(dialog.position(effects::Spin(s)), 0);
  EXPECT_EQ(tp.view.redraws, 4);
}

struct Effects1Case {
  const char* name;
  Effects1Parameters p;
};
class Effects1AgainstModel : public SpecialEffectsTest,
                             public ::testing::WithParamInterface<Effects1Case> {};

// Every click recomputes from the snapshot, but the pixels it cannot write
// keep the previous click's result: two clicks in a row exercise both.
TEST_P(Effects1AgainstModel, TwoClicksMatchThePlainEffectByteForByte) {
  UseTarget(41, 29);
  const Effects1Parameters& p = GetParam().p;
  State model_state;
  model_state.SetTargetSize(41, 29);
  FillTargetPattern(model_state);
  RandomGenerator model_random([] { return 0u; });
  tp.random.Srand(99);
  model_random.Srand(99);

  effects dialog(st, tp);
  dialog.SetPosition(effects::kVitreous1, p.vitreous1);
  dialog.SetPosition(effects::kVitreous2, p.vitreous2);
  dialog.SetPosition(effects::kTear, p.tear);
  dialog.SetPosition(effects::kSegment, p.segment);
  dialog.SetPosition(effects::kScatter, p.scatter);
  dialog.OnHScroll();
  dialog.OnHScroll();
  const ConstTargetImage snapshot = st.Backup();
  ModelEffects1(snapshot, model_state.Target(), p, model_random);
  ModelEffects1(snapshot, model_state.Target(), p, model_random);
  EXPECT_EQ(TargetPixels(), PixelsOf(model_state.Target()));
  EXPECT_EQ(tp.random.Rand(), model_random.Rand()) << "two draws per inner pixel";
}

INSTANTIATE_TEST_SUITE_P(
    Parameters, Effects1AgainstModel,
    ::testing::Values(Effects1Case{"AllAtTheirHighest", {15, 15, 7, 31, 15}},
                      Effects1Case{"Vitreous1", {9, 0, 0, 0, 0}},
                      Effects1Case{"TearAndShortSegments", {0, 0, 5, 2, 0}},
                      Effects1Case{"ScatterOnly", {0, 0, 0, 0, 4}},
                      Effects1Case{"MixedWithGreyFill", {3, 6, 2, 7, 1}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace wrimple::testing
