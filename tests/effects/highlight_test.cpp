#include "effects/highlight.h"

#include <gtest/gtest.h>

#include "effects_fixture.h"

namespace wrimple {
namespace {

using testing::CopyOf;
using Button = pos_bright_cont::Control;

// The recomputation written out pixel by pixel, drawing from its own generator.
std::vector<std::uint8_t> ReferenceHighlight(const State& st, int gh, int gv, std::uint32_t seed) {
  RandomGenerator random([] { return 0u; });
  random.Srand(seed);
  std::vector<std::uint8_t> out = CopyOf(st.Target());
  const int w = st.TargetWidth(), h = st.TargetHeight();
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const float mv = (float(y) / float(h) * 2 - 1) * float(gv) + 64;
      const int tv = int(mv);
      const int ra = random.Rand();
      const float mh = (float(x) / float(w) * 2 - 1) * float(gh) + 64;
      const int th = int(mh);
      const int rb = random.Rand();
      const int qh = (mh - float(th)) * 32767 > float(rb) ? th + 1 : th;
      const int qv = (mv - float(tv)) * 32767 > float(ra) ? tv + 1 : tv;
      const int v = qh + qv;
      const std::size_t at = ConstTargetImage::Offset(x, y, w, h);
      for (int c = 0; c < 3; ++c) out[at + c] = ClampByte(st.Backup().pixel(x, y)[c] + 2 * v - 256);
    }
  return out;
}

class HighlightDialog : public ::testing::Test {
 protected:
  void SetUp() override { testing::PrepareTarget(st, 11, 8); }
  void Run(const std::function<void(pos_bright_cont&)>& body) { RunHighlight(st, tp, body); }
  void Click(pos_bright_cont& d, Button b, int times = 1) {
    for (int i = 0; i < times; ++i) d.OnButton(b);
  }

  State st;
  testing::TestPlatform tp;
};

TEST_F(HighlightDialog, OneClickUpwardsLiftsTheTopRowBy16AndKeepsTheMiddle) {
  Run([&](pos_bright_cont& d) {
    Click(d, pos_bright_cont::kBrightenUpwards);
    d.OnOk();
  });
  for (int x = 0; x < 11; ++x)
    for (int c = 0; c < 3; ++c) {
      EXPECT_EQ(st.Target().pixel(x, 0)[c], std::min(255, st.Backup().pixel(x, 0)[c] + 16));
      EXPECT_EQ(st.Target().pixel(x, 4)[c], st.Backup().pixel(x, 4)[c]);
    }
  testing::ExpectPaddingMarked(st);
}

TEST_F(HighlightDialog, MatchesThePixelByPixelRampWithTwoDrawsPerPixel) {
  Run([&](pos_bright_cont& d) {
    Click(d, pos_bright_cont::kBrightenRightwards, 3);
    Click(d, pos_bright_cont::kBrightenUpwards, 9);
    tp.random.Srand(777);
    Click(d, pos_bright_cont::kBrightenUpwards);  // a tilt above 64: negative ramp values
    EXPECT_EQ(d.horizontal_tilt(), 24);
    EXPECT_EQ(d.vertical_tilt(), -80);
    EXPECT_EQ(CopyOf(st.Target()), ReferenceHighlight(st, 24, -80, 777));
    d.OnOk();
  });
  RandomGenerator replay([] { return 0u; });
  replay.Srand(777);
  for (int i = 0; i < 2 * 11 * 8; ++i) replay.Rand();
  EXPECT_EQ(tp.random.Rand(), replay.Rand()) << "two draws per pixel";
  EXPECT_TRUE(st.TargetModified);
}

TEST_F(HighlightDialog, OppositeClicksAndResetGiveBackTheSnapshot) {
  const auto before = CopyOf(st.Target());
  Run([&](pos_bright_cont& d) {
    Click(d, pos_bright_cont::kBrightenRightwards);
    ASSERT_NE(CopyOf(st.Target()), before);
    Click(d, pos_bright_cont::kBrightenLeftwards);
    EXPECT_EQ(CopyOf(st.Target()), before);
    Click(d, pos_bright_cont::kBrightenDownwards, 3);
    Click(d, pos_bright_cont::kBrightenLeftwards, 2);
    Click(d, pos_bright_cont::kReset);
    EXPECT_EQ(d.horizontal_tilt(), 0);
    EXPECT_EQ(d.vertical_tilt(), 0);
    EXPECT_EQ(CopyOf(st.Target()), before);
    d.OnOk();
  });
}

TEST_F(HighlightDialog, CancelRestoresTheSnapshot) {
  const auto before = CopyOf(st.Target());
  Run([&](pos_bright_cont& d) {
    Click(d, pos_bright_cont::kBrightenDownwards, 4);
    d.OnCancel();
  });
  EXPECT_EQ(CopyOf(st.Target()), before);
  EXPECT_EQ(tp.view.redraws, 5);
}

TEST_F(HighlightDialog, OkWithoutClicksKeepsTheTargetButMarksItModified) {
  const auto before = CopyOf(st.Target());
  Run([](pos_bright_cont& d) { d.OnOk(); });
  EXPECT_EQ(CopyOf(st.Target()), before);
  EXPECT_TRUE(st.TargetModified);
  EXPECT_EQ(tp.view.redraws, 1);
}

}  // namespace
}  // namespace wrimple
