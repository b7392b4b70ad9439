#include "effects/bright_contrast.h"

#include <gtest/gtest.h>

#include "effects_fixture.h"

namespace wrimple {
namespace {

using testing::CopyOf;
using testing::FloorDiv;

// The mapping written out again, with divisions in place of shifts.
int ReferenceValue(int x, int b, int c, int g) {
  const int k = FloorDiv(c * c, 256);
  const int s = FloorDiv(x * (x - 255), 256);
  const int y = x + FloorDiv(g * s, 256) + (g < 0 ? -(-g / 4) : g / 4);
  const int v = b - 128 + FloorDiv(k * (y + b - 255) + 2032, 16);
  return v < 0 ? 0 : (v > 255 ? 255 : v);
}

struct DocumentedValue {
  const char* name;
  int brightness, contrast, gamma;
  int x, expected;
};
void PrintTo(const DocumentedValue& v, std::ostream* os) { *os << v.name; }

class BrightContrastValues : public ::testing::TestWithParam<DocumentedValue> {};

TEST_P(BrightContrastValues, MapsAsDocumented) {
  const DocumentedValue& v = GetParam();
  EXPECT_EQ(BrightContrastValue(v.x, v.brightness, v.contrast, v.gamma), v.expected);
  EXPECT_EQ(ReferenceValue(v.x, v.brightness, v.contrast, v.gamma), v.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Documented, BrightContrastValues,
    ::testing::Values(
        DocumentedValue{"contrast32_0", 128, 32, 0, 0, 95}, DocumentedValue{"contrast32_64", 128, 32, 0, 64, 111},
        DocumentedValue{"contrast32_128", 128, 32, 0, 128, 127},
        DocumentedValue{"contrast32_192", 128, 32, 0, 192, 143},
        DocumentedValue{"contrast32_255", 128, 32, 0, 255, 159},
        DocumentedValue{"contrast0_200", 128, 0, 0, 200, 127},
        DocumentedValue{"gammaUp_0", 128, 64, 255, 0, 63}, DocumentedValue{"gammaUp_64", 128, 64, 255, 64, 79},
        DocumentedValue{"gammaUp_128", 128, 64, 255, 128, 127},
        DocumentedValue{"gammaUp_192", 128, 64, 255, 192, 207},
        DocumentedValue{"gammaUp_255", 128, 64, 255, 255, 255},
        DocumentedValue{"gammaDown_0", 128, 64, -255, 0, 0},
        DocumentedValue{"gammaDown_64", 128, 64, -255, 64, 48},
        DocumentedValue{"gammaDown_128", 128, 64, -255, 128, 128},
        DocumentedValue{"gammaDown_192", 128, 64, -255, 192, 176},
        DocumentedValue{"gammaDown_255", 128, 64, -255, 255, 192},
        DocumentedValue{"brightest_100", 191, 64, 0, 100, 226},
        DocumentedValue{"brightest_200", 191, 64, 0, 200, 255},
        DocumentedValue{"darkest_100", 64, 64, 0, 100, 0}, DocumentedValue{"darkest_200", 64, 64, 0, 200, 72}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(BrightContrastValue, InitialPositionsMapEveryValueToItself) {
  for (int x = 0; x < 256; ++x) EXPECT_EQ(BrightContrastValue(x, 128, 64, 0), x);
}

TEST(BrightContrastValue, MatchesTheFormulaAtEveryValueAndAcrossThePositions) {
  for (int b = 64; b <= 191; b += 9)
    for (int c = 0; c <= 127; c += 7)
      for (int g = -255; g <= 255; g += 51)
        for (int x = 0; x < 256; ++x)
          ASSERT_EQ(BrightContrastValue(x, b, c, g), ReferenceValue(x, b, c, g)) << b << ' ' << c << ' ' << g << ' ' << x;
}

struct PassCase {
  const char* name;
  int width, height, threads;
  BrightContrastLevels levels;
};
void PrintTo(const PassCase& c, std::ostream* os) { *os << c.name; }

class ApplyBrightContrastPass : public ::testing::TestWithParam<PassCase> {};

TEST_P(ApplyBrightContrastPass, EachChannelUsesItsOwnSlidersAndPaddingStays) {
  const PassCase& p = GetParam();
  State st;
  testing::PrepareTarget(st, p.width, p.height);
  SnapshotTarget(st);
  const BrightContrastLevels& levels = p.levels;
  ApplyBrightContrast(st.Backup(), st.Target(), levels, p.threads);
  testing::ExpectPaddingMarked(st);
  for (int y = 0; y < st.TargetHeight(); ++y)
    for (int x = 0; x < st.TargetWidth(); ++x)
      for (int c = 0; c < 3; ++c)
        ASSERT_EQ(st.Target().pixel(x, y)[c],
                  ReferenceValue(st.Backup().pixel(x, y)[c], levels.brightness[c], levels.contrast[c], levels.gamma))
            << x << ',' << y << " channel " << c;
}

constexpr BrightContrastLevels kMixed{.brightness = {70, 140, 185}, .contrast = {10, 64, 120}, .gamma = -90};
constexpr BrightContrastLevels kExtreme{.brightness = {191, 64, 191}, .contrast = {127, 127, 0}, .gamma = 255};
constexpr BrightContrastLevels kLowGamma{.brightness = {64, 191, 100}, .contrast = {127, 3, 127}, .gamma = -255};

// Widths not a multiple of 4, rows shorter than a group of bytes, enough rows
// for the split between threads.
INSTANTIATE_TEST_SUITE_P(Cases, ApplyBrightContrastPass,
                         ::testing::Values(PassCase{"OneThread", 37, 150, 1, kMixed},
                                           PassCase{"TwoThreads", 37, 150, 2, kMixed},
                                           PassCase{"Extremes", 13, 40, 1, kExtreme},
                                           PassCase{"LowGamma", 13, 40, 1, kLowGamma},
                                           PassCase{"NarrowRows", 2, 9, 1, kMixed},
                                           PassCase{"ShortTail", 10, 5, 1, kLowGamma},
                                           PassCase{"WholeBlocks", 8, 5, 1, kMixed},
                                           PassCase{"OnePixel", 1, 1, 1, kExtreme}),
                         [](const auto& info) { return std::string(info.param.name); });

// Every byte value in every channel and at every position within the groups of
// bytes the pass works in, at the ends and the middle of each slider.
TEST(ApplyBrightContrastPass, EveryValueMatchesTheFormulaAtTheSliderEnds) {
  constexpr int kWidth = 263, kHeight = 3;
  State st;
  testing::PrepareTarget(st, kWidth, kHeight);
  const TargetImage backup = st.Backup();
  for (int y = 0; y < kHeight; ++y)
    for (int i = 0; i < 3 * kWidth; ++i) backup.row(y)[i] = std::uint8_t(i / 3 + 85 * (i % 3) + 16 * y);
  for (int b : {64, 128, 191})
    for (int c : {0, 64, 127})
      for (int g : {-255, -1, 0, 1, 255}) {
        // The other two channels take other positions, so that each channel
        // meets the others' constants in the same group.
        const BrightContrastLevels levels{.brightness = {b, 255 - b, 128}, .contrast = {c, 127 - c, 64}, .gamma = g};
        ApplyBrightContrast(st.Backup(), st.Target(), levels, 1);
        for (int y = 0; y < kHeight; ++y)
          for (int i = 0; i < 3 * kWidth; ++i) {
            const int ch = i % 3;
            ASSERT_EQ(st.Target().row(y)[i], ReferenceValue(backup.row(y)[i], levels.brightness[ch],
                                                             levels.contrast[ch], levels.gamma))
                << b << ' ' << c << ' ' << g << " byte " << i << " of row " << y;
          }
      }
  testing::ExpectPaddingMarked(st);
}

class BrightContDialog : public ::testing::Test {
 protected:
  void SetUp() override { testing::PrepareTarget(st, 9, 6); }
  // Opens the dialog and lets `body` work it.
  void Run(const std::function<void(bright_cont&)>& body) { RunBrightContrast(st, tp, body); }

  State st;
  testing::TestPlatform tp;
};

TEST_F(BrightContDialog, OkWithoutMovingKeepsTargetAndFlag) {
  const auto before = CopyOf(st.Target());
  Run([](bright_cont& d) {
    for (bright_cont::Control s : bright_cont::kSliders) EXPECT_EQ(d.Position(s), bright_cont::RangeOf(s).initial);
  });
  EXPECT_EQ(CopyOf(st.Target()), before);
  EXPECT_FALSE(st.TargetModified);
  EXPECT_EQ(CopyOf(st.Backup()), before) << "the snapshot is taken on opening";
}

TEST_F(BrightContDialog, BrightnessMasterMovesAllThreeChannelsAndRaisesBy126) {
  Run([](bright_cont& d) {
    d.MoveSlider(bright_cont::kBrightnessAll, 191);
    EXPECT_EQ(d.Position(bright_cont::kBrightnessRed), 191);
    EXPECT_EQ(d.Position(bright_cont::kBrightnessGreen), 191);
    EXPECT_EQ(d.Position(bright_cont::kBrightnessBlue), 191);
  });
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 9; ++x)
      for (int c = 0; c < 3; ++c) {
        const int was = st.Backup().pixel(x, y)[c];
        ASSERT_EQ(st.Target().pixel(x, y)[c], std::min(255, was + 126));
      }
  EXPECT_TRUE(st.TargetModified);
  EXPECT_EQ(tp.view.redraws, 1);
  testing::ExpectPaddingMarked(st);
}

TEST_F(BrightContDialog, RedContrastAtZeroMakesRed127AndLeavesTheOthers) {
  Run([](bright_cont& d) {
    d.MoveSlider(bright_cont::kContrastRed, 0);
    EXPECT_EQ(d.Position(bright_cont::kContrastAll), 64) << "the master does not follow";
    EXPECT_EQ(d.Position(bright_cont::kContrastGreen), 64);
  });
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 9; ++x) {
      const Bgr was = ReadPixel(st.Backup().pixel(x, y));
      EXPECT_EQ(testing::TargetPixel(st, x, y), (Bgr{was[0], was[1], 127}));
    }
}

TEST_F(BrightContDialog, MovingBackOrResetGivesTheSnapshotExactly) {
  const auto before = CopyOf(st.Target());
  Run([&](bright_cont& d) {
    d.MoveSlider(bright_cont::kGamma, 200);
    d.MoveSlider(bright_cont::kContrastAll, 20);
    ASSERT_NE(CopyOf(st.Target()), before);
    d.MoveSlider(bright_cont::kGamma, 0);
    d.MoveSlider(bright_cont::kContrastAll, 64);
    EXPECT_EQ(CopyOf(st.Target()), before);

    d.MoveSlider(bright_cont::kBrightnessGreen, 80);
    const int redraws = tp.view.redraws;
    d.OnReset();
    EXPECT_EQ(CopyOf(st.Target()), before);
    EXPECT_EQ(tp.view.redraws, redraws + 1);
    for (bright_cont::Control s : bright_cont::kSliders) EXPECT_EQ(d.Position(s), bright_cont::RangeOf(s).initial);

    // A movement after Reset works from the same snapshot.
    d.MoveSlider(bright_cont::kGamma, 255);
  });
  for (int x = 0; x < 9; ++x) {
    const int was = st.Backup().pixel(x, 2)[1];
    EXPECT_EQ(st.Target().pixel(x, 2)[1], BrightContrastValue(was, 128, 64, 255));
  }
}

TEST_F(BrightContDialog, SlidersKeepTheirRanges) {
  Run([](bright_cont& d) {
    d.SetPosition(bright_cont::kBrightnessRed, 300);
    d.SetPosition(bright_cont::kContrastBlue, -5);
    d.SetPosition(bright_cont::kGamma, -400);
    EXPECT_EQ(d.Position(bright_cont::kBrightnessRed), 191);
    EXPECT_EQ(d.Position(bright_cont::kContrastBlue), 0);
    EXPECT_EQ(d.Position(bright_cont::kGamma), -255);
  });
}

TEST_F(BrightContDialog, ResetKeepsTheRememberedMasterPosition) {
  Run([](bright_cont& d) {
    d.MoveSlider(bright_cont::kBrightnessAll, 150);
    d.OnReset();
    // The master now reads 128 while 150 is remembered: the next message
    // propagates 128 to the channels, over the red slider's own movement.
    d.MoveSlider(bright_cont::kBrightnessRed, 100);
    EXPECT_EQ(d.Position(bright_cont::kBrightnessRed), 128);
    d.MoveSlider(bright_cont::kBrightnessRed, 100);
    EXPECT_EQ(d.Position(bright_cont::kBrightnessRed), 100);
  });
}

}  // namespace
}  // namespace wrimple
