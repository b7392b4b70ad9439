#include <gtest/gtest.h>

#include "effects/flip_horizontal.h"
#include "effects/flip_vertical.h"
#include "effects_fixture.h"

namespace wrimple {
namespace {

using testing::CopyOf;

struct Flip {
  const char* name;
  void (*command)(State&, Platform&);
  void (*pass)(ConstTargetImage, TargetImage, int);
  bool horizontal;
};
void PrintTo(const Flip& f, std::ostream* os) { *os << f.name; }

const Flip kFlips[] = {{"Horizontal", OnFlipHorizontal, FlipHorizontal, true},
                       {"Vertical", OnFlipVertical, FlipVertical, false}};

class Flips : public ::testing::TestWithParam<Flip> {};

TEST_P(Flips, MirrorsEveryPixelEndsTheZoneAndTwiceGivesTheTargetBack) {
  State st;
  testing::TestPlatform tp;
  testing::PrepareTarget(st, 7, 5);
  st.zone = {.X1 = 1, .Y1 = 1, .X2 = 4, .Y2 = 3};
  st.steps.BlushCount = 3;
  const auto before = CopyOf(st.Target());
  GetParam().command(st, tp);
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 7; ++x) {
      const int sx = GetParam().horizontal ? 6 - x : x, sy = GetParam().horizontal ? y : 4 - y;
      ASSERT_EQ(testing::TargetPixel(st, x, y), ReadPixel(st.Backup().pixel(sx, sy))) << x << ',' << y;
    }
  testing::ExpectPaddingMarked(st);
  EXPECT_EQ(CopyOf(st.Backup()), before);
  EXPECT_TRUE(st.TargetModified);
  EXPECT_EQ(st.zone.X1, -1);
  EXPECT_EQ(st.steps.BlushCount, 0);
  EXPECT_EQ(tp.view.redraws, 1);
  GetParam().command(st, tp);
  EXPECT_EQ(CopyOf(st.Target()), before);
}

TEST_P(Flips, TwoThreadsGiveTheSameBytesAsOne) {
  State st;
  testing::PrepareTarget(st, 203, 261);
  SnapshotTarget(st);
  GetParam().pass(st.Backup(), st.Target(), 1);
  const auto one = CopyOf(st.Target());
  RestoreFromSnapshot(st);
  GetParam().pass(st.Backup(), st.Target(), 2);
  EXPECT_EQ(CopyOf(st.Target()), one);
  EXPECT_NE(one, CopyOf(st.Backup()));
}

INSTANTIATE_TEST_SUITE_P(Both, Flips, ::testing::ValuesIn(kFlips),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace wrimple
