#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "zone/begin_step.h"
#include "zone/nudge.h"
#include "zone/squash_stretch.h"
#include "zone/twist.h"
#include "zone/zone_geometry.h"
#include "zone_fixture.h"

namespace wrimple::testing {
namespace {

// ---- The kernels against the per-pixel model, on every kind of zone.

TEST_P(KernelMatchesModel, Nudge) {
  for (bool vertical : {true, false})
    for (int n : {1, 2, 5, 0, -1, -3})
      for (int A : {1, 5, 10})
        Compare((vertical ? "vertical n=" : "horizontal n=") + std::to_string(n) +
                    " A=" + std::to_string(A),
                [&](const ZoneGeometry& g) {
                  NudgeZone(st->Backup(), st->Target(), g,
                            vertical ? NudgeAxis::Vertical : NudgeAxis::Horizontal, n, A);
                },
                [&](const ModelPicture& base, ModelPicture& out) {
                  ModelNudge(base, out, Zone(), vertical, n, A);
                });
}

TEST_P(KernelMatchesModel, Twist) {
  for (double n : {1.0, 3.0, 0.0, -2.0, 7.0})
    for (int A : {1, 5, 10})
      Compare(
          "n=" + std::to_string(n) + " A=" + std::to_string(A),
          [&](const ZoneGeometry& g) { TwistZone(st->Backup(), st->Target(), g, n, A); },
          [&](const ModelPicture& base, ModelPicture& out) {
            ModelTwist(base, out, Zone(), n, A);
          });
}

TEST_P(KernelMatchesModel, SquashStretch) {
  for (int n : {1, 2, 6, 0, -1, -4})
    for (int A : {1, 5, 9, 10})
      Compare(
          "n=" + std::to_string(n) + " A=" + std::to_string(A),
          [&](const ZoneGeometry& g) { SquashStretchZone(st->Backup(), st->Target(), g, n, A); },
          [&](const ModelPicture& base, ModelPicture& out) {
            ModelSquashStretch(base, out, Zone(), n, A);
          });
}

INSTANTIATE_TEST_SUITE_P(Zones, KernelMatchesModel,
                         ::testing::Values(KernelCase{"Middle", {10, 8, 70, 60}, 1},
                                           KernelCase{"MiddleTwoThreads", {10, 8, 70, 60}, 2},
                                           KernelCase{"DraggedUpLeft", {70, 60, 10, 8}, 1},
                                           KernelCase{"DraggedDownLeft", {70, 8, 10, 60}, 2},
                                           KernelCase{"AtTopLeftCorner", {0, 0, 41, 33}, 1},
                                           KernelCase{"AtBottomRightCorner", {40, 30, 96, 79}, 2},
                                           KernelCase{"WholeTarget", {0, 0, 96, 79}, 2},
                                           KernelCase{"TallAtLeftEdge", {0, 0, 12, 79}, 1},
                                           KernelCase{"WideAtTopEdge", {0, 0, 96, 11}, 1},
                                           KernelCase{"Smallest", {30, 30, 40, 40}, 1}),
                         [](const ::testing::TestParamInfo<KernelCase>& info) {
                           return info.param.name;
                         });

// ---- The step protocol.

class StepProtocol : public ZoneTest {
 protected:
  void SetUp() override {
    Start(64, 48);
    SetZone(8, 6, 56, 42);
  }
};

TEST_F(StepProtocol, FirstClickSnapshotsAndOthersZeroTheirCounters) {
  st->steps.SquashStretchCount = 3;
  st->steps.BlushCount = -2;
  const ModelPicture before = TargetPicture();
  EXPECT_EQ(BeginStep(*st, ZoneStep::Twist, 1), 1.0);
  EXPECT_TRUE(st->TargetModified);
  EXPECT_EQ(st->steps.SquashStretchCount, 0);
  EXPECT_EQ(st->steps.BlushCount, 0);
  EXPECT_EQ(BackupPicture().bytes, before.bytes);
  FillTargetPattern(*st, 40);
  EXPECT_EQ(BeginStep(*st, ZoneStep::Twist, -1), 0.0);
  EXPECT_EQ(BackupPicture().bytes, before.bytes) << "no snapshot while the counter runs";
  EXPECT_EQ(BeginStep(*st, ZoneStep::Twist, -1), -1.0);
  EXPECT_NE(BackupPicture().bytes, before.bytes) << "a counter at 0 starts a new run";
}

TEST_F(StepProtocol, FillZeroesEveryCounterAndTakesNoSnapshot) {
  st->steps = StepCounters{1, 2, 3.0, 4, 5, 6};
  const ModelPicture backup = BackupPicture();
  EXPECT_EQ(BeginStep(*st, ZoneStep::Fill, 0), 0.0);
  EXPECT_EQ(st->steps.NudgeVerticalCount + st->steps.NudgeHorizontalCount +
                st->steps.SquashStretchCount + st->steps.PortionMergeCount + st->steps.BlushCount,
            0);
  EXPECT_EQ(st->steps.TwistCount, 0.0);
  EXPECT_EQ(BackupPicture().bytes, backup.bytes);
}

// ---- The warps as clicked.

class Warps : public ZoneTest {
 protected:
  void SetUp() override {
    Start(64, 48);
    SetZone(8, 6, 56, 42);
  }
  // Whether (x, y) lies inside the inscribed ellipse.
  bool InEllipse(int x, int y) const {
    const int xc = (8 + 56) >> 1, yc = (6 + 42) >> 1, Hz = 36;
    const double ry = 36.0 / 48.0;
    const double a = (x - xc) * ry;
    return Hz - 2 * std::sqrt(a * a + double((y - yc) * (y - yc))) >= 0;
  }
  // Pixels of the zone inside the ellipse that differ from the base, apart from
  // the last row and column.
  int ChangedInsideEllipse(const ModelPicture& base) const {
    int changed = 0;
    const ModelPicture now = TargetPicture();
    for (int y = 6; y < 41; ++y)
      for (int x = 8; x < 55; ++x)
        if (InEllipse(x, y) && std::memcmp(now.At(x, y), base.At(x, y), 3) != 0) ++changed;
    return changed;
  }
};

struct NudgePair {
  std::string name;
  NudgeDirection first, second;
};
void PrintTo(const NudgePair& c, std::ostream* os) { *os << c.name; }
class OppositeNudges : public Warps, public ::testing::WithParamInterface<NudgePair> {};

TEST_P(OppositeNudges, ReturnTheWholeTargetToTheBase) {
  const ModelPicture base = TargetPicture();
  Nudge(*st, tp, GetParam().first);
  ASSERT_NE(TargetPicture().bytes, base.bytes);
  Nudge(*st, tp, GetParam().second);
  EXPECT_EQ(st->steps.NudgeVerticalCount, 0);
  EXPECT_EQ(st->steps.NudgeHorizontalCount, 0);
  EXPECT_EQ(TargetPicture().bytes, base.bytes);
  EXPECT_EQ(tp.view.redraws, 2);
}

INSTANTIATE_TEST_SUITE_P(
    Directions, OppositeNudges,
    ::testing::Values(NudgePair{"UpThenDown", NudgeDirection::Up, NudgeDirection::Down},
                      NudgePair{"DownThenUp", NudgeDirection::Down, NudgeDirection::Up},
                      NudgePair{"LeftThenRight", NudgeDirection::Left, NudgeDirection::Right},
                      NudgePair{"RightThenLeft", NudgeDirection::Right, NudgeDirection::Left}),
    [](const ::testing::TestParamInfo<NudgePair>& info) { return info.param.name; });

TEST_F(Warps, NudgeKeepsTheFirstAndLastRowAlongThePush) {
  const ModelPicture base = TargetPicture();
  for (int i = 0; i < 4; ++i) Nudge(*st, tp, NudgeDirection::Down);
  EXPECT_EQ(st->steps.NudgeVerticalCount, -4);
  const ModelPicture now = TargetPicture();
  for (int x = 8; x < 56; ++x) {
    EXPECT_EQ(std::memcmp(now.At(x, 6), base.At(x, 6), 3), 0) << x;
    EXPECT_EQ(std::memcmp(now.At(x, 42), base.At(x, 42), 3), 0) << x;
  }
  EXPECT_NE(std::memcmp(now.At(32, 20), base.At(32, 20), 3), 0) << "the centre line moves";
}

TEST_F(Warps, TwistThereAndBackReturnsTheBaseInsideTheEllipse) {
  const ModelPicture base = TargetPicture();
  Twist(*st, tp, 1);
  Twist(*st, tp, 1);
  ASSERT_GT(ChangedInsideEllipse(base), 100);
  Twist(*st, tp, -1);
  Twist(*st, tp, -1);
  EXPECT_EQ(st->steps.TwistCount, 0.0);
  EXPECT_EQ(ChangedInsideEllipse(base), 0);
}

TEST_F(Warps, StretchTwiceThenSquashTwiceReturnsTheBaseInsideTheEllipse) {
  const ModelPicture base = TargetPicture();
  SquashStretch(*st, tp, 1);
  SquashStretch(*st, tp, 1);
  ASSERT_GT(ChangedInsideEllipse(base), 100);
  SquashStretch(*st, tp, -1);
  SquashStretch(*st, tp, -1);
  EXPECT_EQ(st->steps.SquashStretchCount, 0);
  EXPECT_EQ(ChangedInsideEllipse(base), 0);
  const ModelPicture now = TargetPicture();
  for (const auto& [x, y] : std::vector<std::pair<int, int>>{{8, 6}, {55, 6}, {8, 41}, {55, 41}})
    EXPECT_EQ(std::memcmp(now.At(x, y), base.At(x, y), 3), 0) << "corner " << x << "," << y;
}

TEST_F(Warps, SwitchingOperationTakesTheCurrentTargetAsTheNewBase) {
  Nudge(*st, tp, NudgeDirection::Down);
  const ModelPicture nudged = TargetPicture();
  Twist(*st, tp, 1);
  EXPECT_EQ(st->steps.NudgeVerticalCount, 0);
  EXPECT_EQ(st->steps.TwistCount, 1.0);
  EXPECT_EQ(BackupPicture().bytes, nudged.bytes);
}

TEST_F(Warps, AggressivenessNineAndTenSquashAlikeButTwistAndNudgeDifferently) {
  const ModelPicture base = TargetPicture();
  auto result_with = [&](int A, auto click) {
    SnapshotTarget(*st);
    std::memcpy(st->TargetBuffer.data(), base.bytes.data(), base.bytes.size());
    st->steps = StepCounters{};
    st->Aggressiveness = A;
    click();
    return TargetPicture().bytes;
  };
  auto squash = [&] { SquashStretch(*st, tp, -1); };
  auto twist = [&] { Twist(*st, tp, 1); };
  auto nudge = [&] { Nudge(*st, tp, NudgeDirection::Up); };
  EXPECT_EQ(result_with(9, squash), result_with(10, squash));
  EXPECT_NE(result_with(9, twist), result_with(10, twist));
  EXPECT_NE(result_with(9, nudge), result_with(10, nudge));
}

}  // namespace
}  // namespace wrimple::testing

namespace wrimple::testing {
namespace {

// A zone left over from a larger target reaches past the picture's edges: the
// operations change only pixels of the target.
class ZoneBeyondTheTarget : public ZoneTest {
 protected:
  void SetUp() override {
    Start(64, 48);
    SetZone(40, 30, 100, 90);
  }
};

TEST_F(ZoneBeyondTheTarget, EveryOperationStaysInsideThePicture) {
  const ModelPicture before = TargetPicture();
  Nudge(*st, tp, NudgeDirection::Down);
  Nudge(*st, tp, NudgeDirection::Left);
  Twist(*st, tp, 1);
  SquashStretch(*st, tp, -1);
  const ModelPicture after = TargetPicture();
  for (int y = 0; y < 48; ++y)
    for (int x = 0; x < 64; ++x)
      if (x < 40 || y < 30) {
        EXPECT_EQ(std::memcmp(after.At(x, y), before.At(x, y), 3), 0) << x << "," << y;
      }
}

TEST(NudgeAtTheRightEdge, NeverReadsPastTheLastColumnOfTheTopRow) {
  TestPlatform tp;
  State st;
  st.SetTargetSize(4096, 3072);
  st.SourceCount = 1;
  st.zone = WrimpleZone{.X1 = 4000, .Y1 = 0, .X2 = 4095, .Y2 = 40};
  WritePixel(st.Target().pixel(4095, 0), {1, 2, 3});
  Nudge(st, tp, NudgeDirection::Right);
  Nudge(st, tp, NudgeDirection::Right);
  EXPECT_EQ(ReadPixel(st.Target().pixel(4095, 0)), (Bgr{1, 2, 3}))
      << "the edge column keeps its value";
}

}  // namespace
}  // namespace wrimple::testing

namespace wrimple::testing {
namespace {

TEST(LongSquashRun, SamplesBeyondAnyRadiusLeaveThePixelsAlone) {
  TestPlatform tp;
  State st;
  st.SetTargetSize(64, 48);
  FillTargetPattern(st);
  SnapshotTarget(st);
  st.zone = WrimpleZone{.X1 = 8, .Y1 = 6, .X2 = 56, .Y2 = 42};
  const std::uint8_t before = st.Target().pixel(32, 24)[0];
  // 1.125^7000 overflows a double: the centre's radius becomes inf * 0.
  SquashStretchZone(st.Backup(), st.Target(), ZoneGeometry::Of(st.zone, 64, 48), -7000, 10);
  EXPECT_EQ(st.Target().pixel(32, 24)[0], before);
}

}  // namespace
}  // namespace wrimple::testing
