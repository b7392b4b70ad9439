#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>

#include "compose/align.h"
#include "compose/recompose.h"
#include "document/picture.h"
#include "zone/blush.h"
#include "zone/fill.h"
#include "zone/lock_target.h"
#include "zone/mouse_routing.h"
#include "zone/portion_merge.h"
#include "zone/restore_target.h"
#include "zone_fixture.h"

namespace wrimple::testing {
namespace {

TEST_P(KernelMatchesModel, PortionMerge) {
  for (int n : {1, 3, 8, 9, -1, -5})
    Compare(
        "n=" + std::to_string(n),
        [&](const ZoneGeometry& g) {
          PortionMergeZone(st->Backup(), st->Target(), st->doc.Source(1).plane(), g, n);
        },
        [&](const ModelPicture& base, ModelPicture& out) {
          ModelPortionMerge(base, out, st->doc.Source(1).SourcePlane.data(), Zone(), n);
        });
}

TEST_P(KernelMatchesModel, Blush) {
  for (const Bgr reference : {Bgr{0, 0, 0}, Bgr{200, 30, 127}})
    for (int n : {1, 2, 7, 0, -1, -6})
      Compare(
          "n=" + std::to_string(n),
          [&](const ZoneGeometry& g) { BlushZone(st->Backup(), st->Target(), g, n, reference); },
          [&](const ModelPicture& base, ModelPicture& out) {
            ModelBlush(base, out, Zone(), n, reference.data());
          });
}

// A 64 x 48 target with a 48 x 36 zone centred on (32, 24).
class Fills : public ZoneTest {
 protected:
  static constexpr int kXc = 32, kYc = 24;
  void SetUp() override {
    Start(64, 48);
    SetZone(8, 6, 56, 42);
  }
  void SetTargetPixel(int x, int y, Bgr v) { WritePixel(st->Target().pixel(x, y), v); }
  void SetPlanePixel(int n, int x, int y, Bgr v) {
    WritePixel(st->doc.Source(n).plane().pixel(x, y), v);
  }
  // The rectangle's corner pixels lie outside the ellipse.
  void ExpectCornersUnchanged(const ModelPicture& before) {
    const ModelPicture now = TargetPicture();
    for (const auto& [x, y] :
         {std::pair{8, 6}, std::pair{55, 6}, std::pair{8, 41}, std::pair{55, 41}})
      EXPECT_EQ(std::memcmp(now.At(x, y), before.At(x, y), 3), 0) << x << "," << y;
  }
};

TEST_F(Fills, PortionMergeOneThenTwoRestoresTheWholeSnapshot) {
  const ModelPicture base = TargetPicture();
  PortionMerge(*st, tp, 1);
  ASSERT_NE(TargetPicture().bytes, base.bytes);
  PortionMerge(*st, tp, -1);
  EXPECT_EQ(st->steps.PortionMergeCount, 0);
  EXPECT_EQ(TargetPicture().bytes, base.bytes);
}

TEST_F(Fills, TheCountsSignChoosesTheSource) {
  const ModelPicture base = TargetPicture();
  for (int i = 0; i < 3; ++i) PortionMerge(*st, tp, -1);
  PortionMerge(*st, tp, 1);
  EXPECT_EQ(st->steps.PortionMergeCount, -2);
  ModelPicture expected = base;
  ModelPortionMerge(base, expected, st->doc.Source(2).SourcePlane.data(), Zone(), -2);
  EXPECT_EQ(TargetPicture().bytes, expected.bytes) << "still source 2, at strength 2";
  ExpectCornersUnchanged(base);
}

TEST_F(Fills, PortionMergeRoundsNegativeDifferencesDown) {
  SetTargetPixel(kXc, kYc, {10, 200, 100});
  SetPlanePixel(1, kXc, kYc, {5, 203, 100});
  PortionMerge(*st, tp, 1);  // w = 1 at the centre
  EXPECT_EQ(TargetAt(kXc, kYc), (Bgr{9, 200, 100})) << "-5 >> 3 is -1, +3 >> 3 is 0";
}

TEST_F(Fills, EightClicksShowTheSourceAtTheCentreOnly) {
  const ModelPicture base = TargetPicture();
  for (int i = 0; i < 8; ++i) PortionMerge(*st, tp, 1);
  EXPECT_EQ(TargetAt(kXc, kYc), PlaneAt(1, kXc, kYc));
  // Near the ellipse (q about 0.1) the blend is about 8 % of the way.
  const Bgr near_edge = TargetAt(kXc, 7);
  const std::uint8_t* was = base.At(kXc, 7);
  for (int c = 0; c < 3; ++c)
    EXPECT_LE(std::abs(near_edge[c] - was[c]), std::abs(PlaneAt(1, kXc, 7)[c] - was[c]) / 4 + 1)
        << c;
  ExpectCornersUnchanged(base);
}

TEST_F(Fills, BlushUpFromWhiteTowardsBlackGives204AtTheCentre) {
  SetTargetPixel(kXc, kYc, {255, 255, 255});
  st->ReferenceColor = {0, 0, 0};
  Blush(*st, tp, 1);
  EXPECT_EQ(TargetAt(kXc, kYc), (Bgr{204, 204, 204}));
  EXPECT_EQ(st->steps.BlushCount, 1);
}

TEST_F(Fills, BlushDownLeavesThePixelOfTheReferenceColour) {
  const ModelPicture base = TargetPicture();
  st->ReferenceColor = TargetAt(kXc, kYc);
  for (int i = 0; i < 3; ++i) Blush(*st, tp, -1);
  EXPECT_EQ(TargetAt(kXc, kYc), st->ReferenceColor);
  EXPECT_NE(TargetAt(kXc + 3, kYc + 2), ReadPixel(base.At(kXc + 3, kYc + 2)));
  ExpectCornersUnchanged(base);
}

TEST_F(Fills, FillCopiesTheWholeRectangleAndZeroesTheCounters) {
  st->steps.BlushCount = 4;
  Fill(*st, tp, 2);
  EXPECT_EQ(st->steps.BlushCount, 0);
  for (const auto& [x, y] : {std::pair{8, 6}, std::pair{55, 41}, std::pair{kXc, kYc}})
    EXPECT_EQ(TargetAt(x, y), PlaneAt(2, x, y)) << x << "," << y;
  EXPECT_NE(TargetAt(56, 42), PlaneAt(2, 56, 42)) << "column xmax and row ymax are outside";
  EXPECT_NE(TargetAt(7, 5), PlaneAt(2, 7, 5));
}

// A 16 x 12 source picture whose every pixel differs, placed at 100 %.
void LoadPatternSource(State& st) {
  SourceImage& s = st.doc.Source(1);
  s.SourcePicture = AllocateDib(24, 16, 12);
  const TargetImage bits(s.SourcePicture->bits(), 16, 12);
  for (int y = 0; y < 12; ++y)
    for (int x = 0; x < 16; ++x)
      WritePixel(bits.pixel(x, y), {std::uint8_t(x * 16), std::uint8_t(y * 20), 77});
  s.SourceKind = kKindImageFile;
  st.SourceCount = 1;
}

TEST(LockedTarget, FillBringsInTheSourceFromItsNewPlace) {
  TestPlatform tp;
  State st;
  st.SetTargetSize(16, 12);
  LoadPatternSource(st);
  RecomposeTarget(st, tp);
  LockTarget(st);
  ASSERT_TRUE(st.TargetLock);
  const std::vector<std::uint8_t> before(st.TargetBuffer.data(),
                                         st.TargetBuffer.data() + st.Target().byte_size());
  // Drag the source 3 right and 2 down while aligning.
  SetAligning(st, tp, 1);
  OnButtonDown(st, tp, MouseButton::Left, {.window = {5, 5}, .keys = kMouseLeftButton});
  OnButtonUp(st, tp, MouseButton::Left, {.window = {8, 7}, .keys = 0});
  SetAligning(st, tp, 0);
  ASSERT_EQ(st.doc.Source(1).OffsetX, -3);
  ASSERT_EQ(std::memcmp(st.TargetBuffer.data(), before.data(), before.size()), 0) << "locked";
  st.zone = WrimpleZone{.X1 = 3, .Y1 = 2, .X2 = 15, .Y2 = 11};
  Fill(st, tp, 1);
  const ConstTargetImage target = st.Target();
  // Inside the zone the source pixel of (x - 3, y - 2); outside, the old target.
  EXPECT_EQ(ReadPixel(target.pixel(3, 2)), (Bgr{0, 0, 77}));
  EXPECT_EQ(ReadPixel(target.pixel(14, 10)), (Bgr{11 * 16, 8 * 20, 77}));
  EXPECT_EQ(ReadPixel(target.pixel(2, 2)), (Bgr{2 * 16, 2 * 20, 77}));
  EXPECT_EQ(ReadPixel(target.pixel(15, 11)), (Bgr{15 * 16, 11 * 20, 77}));
}

TEST(LockedTarget, RestoreRebuildsOnlyWhenUnlocked) {
  TestPlatform tp;
  State st;
  st.SetTargetSize(16, 12);
  LoadPatternSource(st);
  RecomposeTarget(st, tp);
  const std::vector<std::uint8_t> fresh(st.TargetBuffer.data(),
                                        st.TargetBuffer.data() + st.Target().byte_size());
  st.zone = WrimpleZone{.X1 = 1, .Y1 = 1, .X2 = 15, .Y2 = 11};
  Blush(st, tp, -1);
  LockTarget(st);
  RestoreTarget(st, tp);
  EXPECT_TRUE(st.TargetModified);
  EXPECT_NE(std::memcmp(st.TargetBuffer.data(), fresh.data(), fresh.size()), 0);
  LockTarget(st);
  RestoreTarget(st, tp);
  EXPECT_FALSE(st.TargetModified);
  EXPECT_EQ(std::memcmp(st.TargetBuffer.data(), fresh.data(), fresh.size()), 0);
}

}  // namespace
}  // namespace wrimple::testing
