#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <vector>

#include "effects/dapple.h"
#include "effects/dapple_dialog.h"
#include "effects/mt19937.h"
#include "effects/mt19937_range.h"
#include "special_effects_fixture.h"

namespace wrimple::testing {
namespace {

// The dapple written out with its own reduction and a bounds test per step.
std::uint32_t ModelDraw(std::mt19937& e, std::uint32_t a, std::uint32_t n) {
  if (n == 1) return a;
  for (;;) {
    const std::uint32_t u = std::uint32_t(e());
    const bool top_block = u / n >= 4294967295u / n && 4294967295u % n != n - 1;
    if (!top_block) return a + u % n;
  }
}

void ModelDapple(ConstTargetImage in, TargetImage out, int size) {
  std::mt19937 ex(2537), ey(1701), ed(1701);
  const int w = in.width(), h = in.height();
  const int moves[8][2] = {{-1, -1}, {0, -1}, {1, -1}, {-1, 0}, {1, 0}, {-1, 1}, {0, 1}, {1, 1}};
  for (int g = 0; g < h / 4; ++g)
    for (int i = 0; i < w / 4; ++i) {
      int x = int(ModelDraw(ex, 0, std::uint32_t(w)));
      int y = int(ModelDraw(ey, 0, std::uint32_t(h)));
      const Bgr c0 = ReadPixel(in.pixel(x, y));
      float limit = float((size + 10) * 8);
      for (int k = 0; k < 128; ++k) {
        const int d = int(ModelDraw(ed, 0, 256) & 7);
        x += moves[d][0];
        y += moves[d][1];
        if (x < 0 || x >= w || y < 0 || y >= h) break;
        limit -= 1;
        const Bgr c = ReadPixel(in.pixel(x, y));
        const float delta = float(c0[2] - c[2]) + float(c0[1] - c[1]) + float(c0[0] - c[0]);
        if (!(-limit < delta && delta < limit)) break;
        Bgr painted;
        for (int ch = 0; ch < 3; ++ch) {
          const float v = float(c0[ch]) * float(k + 128) * 0.0078125f - float(k);
          painted[ch] = ClampByte(int(v));
        }
        WritePixel(out.pixel(x, y), painted);
      }
    }
}

class DappleTest : public SpecialEffectsTest {};

struct DappleCase {
  const char* name;
  int width, height, size;
};
class DappleAgainstModel : public DappleTest, public ::testing::WithParamInterface<DappleCase> {};

TEST_P(DappleAgainstModel, MatchesThePlainWalksByteForByte) {
  const DappleCase& c = GetParam();
  UseTarget(c.width, c.height);
  FillPhotoLike(st.Target(), 21);
  SnapshotTarget(st);
  State model;
  model.SetTargetSize(c.width, c.height);
  SnapshotTarget(model);
  std::memcpy(model.TargetBuffer.data(), st.TargetBuffer.data(), st.Target().byte_size());
  ModelDapple(st.Backup(), model.Target(), c.size);
  PaintDapples(st.Backup(), st.Target(), c.size, tp.progress);
  EXPECT_EQ(TargetPixels(), PixelsOf(model.Target()));
  EXPECT_NE(TargetPixels(), BackupPixels());
}

INSTANTIATE_TEST_SUITE_P(Sizes, DappleAgainstModel,
                         ::testing::Values(DappleCase{"Initial", 64, 48, 5},
                                           DappleCase{"Smallest", 37, 21, 1},
                                           DappleCase{"Largest", 50, 50, 10},
                                           DappleCase{"OddSizeAboveTheRange", 23, 45, 11},
                                           DappleCase{"NegativeTypedSize", 40, 40, -3},
                                           DappleCase{"HugeTypedSize", 40, 40, 100000000},
                                           DappleCase{"RoomForWalksFarFromEveryEdge", 401, 384, 5},
                                           DappleCase{"OddWidthJustPastTwoWalkLengths", 259, 262, 10},
                                           DappleCase{"WideAndFlat", 333, 120, 1},
                                           // Walks far from every edge that never stop
                                           // early: each runs all 128 steps.
                                           DappleCase{"FarFromEdgesEveryWalkRunsAllSteps", 300, 280, 100000000},
                                           // A tolerance of 8: only step 0 .. 6 can be
                                           // similar, so far walks stop in their first
                                           // group of steps.
                                           DappleCase{"FarFromEdgesTinyTolerance", 300, 280, -9},
                                           DappleCase{"FarFromEdgesLargest", 401, 384, 10}),
                         [](const auto& info) { return std::string(info.param.name); });

// A tolerance of 0 or below: every walk, far from the edges or not, stops at
// its first step with one draw used, and nothing is painted.
TEST_F(DappleTest, NoToleranceStopsEveryWalkAtItsFirstStep) {
  for (const int size : {-10, -11, -1000}) {
    UseTarget(300, 280);
    FillPhotoLike(st.Target(), 5);
    SnapshotTarget(st);
    State model;
    model.SetTargetSize(300, 280);
    std::memcpy(model.TargetBuffer.data(), st.TargetBuffer.data(), st.Target().byte_size());
    ModelDapple(st.Backup(), model.Target(), size);
    PaintDapples(st.Backup(), st.Target(), size, tp.progress);
    EXPECT_EQ(TargetPixels(), PixelsOf(model.Target())) << size;
    EXPECT_EQ(TargetPixels(), BackupPixels()) << size;
  }
}

TEST_F(DappleTest, TryAgainIsImpossibleUntilTheSizeChangesAndThenRepeatsExactly) {
  UseTarget(60, 44);
  FillPhotoLike(st.Target(), 2);
  effects4 dialog(st, tp);
  ASSERT_TRUE(dialog.try_enabled());
  ASSERT_TRUE(dialog.OnTry());
  const auto first = TargetPixels();
  EXPECT_NE(first, BackupPixels());
  EXPECT_FALSE(dialog.try_enabled());
  EXPECT_FALSE(dialog.OnTry());
  dialog.OnArrow(+1);
  ASSERT_TRUE(dialog.OnTry());
  EXPECT_NE(TargetPixels(), first);
  dialog.OnArrow(-1);
  EXPECT_EQ(dialog.size().text(), "5");
  ASSERT_TRUE(dialog.OnTry());
  EXPECT_EQ(TargetPixels(), first);
  dialog.OnSizeEdited("5");
  EXPECT_TRUE(dialog.try_enabled());
}

TEST_F(DappleTest, NarrowTargetStartsNoWalkAndIsOnlyRestored) {
  UseTarget(3, 40);
  effects4 dialog(st, tp);
  const auto snapshot = TargetPixels();
  FillUniform(st.Target(), Bgr{9, 9, 9});
  ASSERT_TRUE(dialog.OnTry());
  EXPECT_EQ(TargetPixels(), snapshot);
  EXPECT_TRUE(st.TargetModified);
  EXPECT_EQ(tp.progress.fills.size(), 2u + 40 / 4) << "grey before and after, each group empty";
}

TEST_F(DappleTest, RefusedSizeShowsTheMessageButStillRuns) {
  UseTarget(40, 40);
  effects4 dialog(st, tp);
  dialog.OnSizeEdited("11");
  ASSERT_TRUE(dialog.OnTry());
  EXPECT_EQ(tp.messages.Texts(RecordedMessage::Error),
            std::vector<std::string>{"Enter an integer between 1 and 10."});
  EXPECT_NE(TargetPixels(), BackupPixels());
  EXPECT_FALSE(dialog.OnDone()) << "Done stays open";
  dialog.OnCancel();
  EXPECT_EQ(TargetPixels(), BackupPixels());
}

TEST_F(DappleTest, ProgressReportsEveryGroup) {
  UseTarget(20, 13);
  effects4 dialog(st, tp);
  ASSERT_TRUE(dialog.OnTry());
  const auto& fills = tp.progress.fills;
  ASSERT_EQ(fills.size(), 1u + 3u + 1u);
  EXPECT_EQ(fills[1], std::make_pair(kProgressWorking, 0));
  EXPECT_EQ(fills[3], std::make_pair(kProgressWorking, 66));
  EXPECT_EQ(fills.back(), std::make_pair(kProgressIdle, 100));
}

// The engine's first outputs for the standard default seed 5489 are
// 3499211612 and 581869302.
TEST(DappleDraw, ReducesEngineOutputsAsStated) {
  std::mt19937 e(5489);
  EXPECT_EQ(DrawInRange(e, 0, 10), 2);  // 3499211612 mod 10
  EXPECT_EQ(DrawInRange(e, 7, 256), 7 + 246);  // 581869302 mod 256
}

TEST(DappleDraw, ThrowsAwayTheIncompleteTopBlock) {
  std::mt19937 e(5489);
  // 3e9 values: 4294967295 mod 3e9 is not 3e9 - 1, so 3499211612 (above 3e9)
  // is drawn again.
  EXPECT_EQ(DrawInRange(e, 1, 3000000000u), 1 + 581869302);
}

TEST(DappleDraw, KeepsAnOutputOfACompleteTopBlock) {
  std::mt19937 e(5489);
  // 2^31 values divide the outputs evenly: 3499211612 - 2^31.
  EXPECT_EQ(DrawInRange(e, 0, 2147483648u), 1351727964);
}

class DappleEngine : public ::testing::TestWithParam<std::uint32_t> {};

TEST_P(DappleEngine, GivesTheStandardEngineOutputsOverSeveralBlocks) {
  Mt19937 engine(GetParam());
  std::mt19937 standard(GetParam());
  for (int i = 0; i < 3 * 624 + 5; ++i) ASSERT_EQ(engine(), std::uint32_t(standard())) << i;
}

// Bulk outputs interleaved with single ones, across block boundaries, keep
// the standard order.
TEST_P(DappleEngine, FillsBulkOutputsInTheStandardOrder) {
  Mt19937 engine(GetParam());
  std::mt19937 standard(GetParam());
  std::vector<std::uint32_t> bulk(1500);
  for (const int count : {0, 1, 623, 624, 1, 1500, 625}) {
    engine.Fill(bulk.data(), count);
    for (int i = 0; i < count; ++i) ASSERT_EQ(bulk[std::size_t(i)], std::uint32_t(standard())) << count << " " << i;
    ASSERT_EQ(engine(), std::uint32_t(standard())) << "single output after " << count;
  }
}

INSTANTIATE_TEST_SUITE_P(Seeds, DappleEngine, ::testing::Values(2537u, 1701u, 5489u, 0u, 4294967295u));

TEST(DappleDraw, SingleValueUsesNoOutput) {
  std::mt19937 e(5489);
  EXPECT_EQ(DrawInRange(e, 42, 1), 42);
  EXPECT_EQ(e(), 3499211612u);
}

}  // namespace
}  // namespace wrimple::testing
