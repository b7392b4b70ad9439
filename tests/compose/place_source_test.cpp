// PlaceSource: the placement's edge cases at chosen pixels, and the fast
// placement against the plain per-pixel one.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "compose/place_source.h"
#include "compose/recompose.h"
#include "compose_fixture.h"

namespace wrimple {
namespace {

using testing::LoadSource;
using testing::MakePicture;
using testing::PlanePixel;
using testing::PlaneRegion;
using testing::StoredPixel;

constexpr Bgr kBase{1, 2, 3};

// Stored pixel (x, row) of the test pictures: distinct in every channel.
Bgr Pattern(int x, int row) {
  return Bgr{std::uint8_t(40 * x + 9), std::uint8_t(50 * row + 13), std::uint8_t(7 * x + 30 * row + 100)};
}

Bgr Mean(const Bgr& a, const Bgr& b) {
  return Bgr{std::uint8_t((a[0] + b[0]) >> 1), std::uint8_t((a[1] + b[1]) >> 1), std::uint8_t((a[2] + b[2]) >> 1)};
}

class PlaceSourceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    st.SetTargetSize(9, 7);
    st.doc.BaseColor = kBase;
  }
  void Load(int w, int h) {
    LoadSource(st, 1, MakePicture(w, h, Pattern));
    picture = &*st.doc.Source(1).SourcePicture;
  }
  Bgr At(int x, int y) const { return PlanePixel(st, 1, x, y); }
  Bgr Stored(int x, int row) const { return StoredPixel(*picture, x, row); }

  State st;
  const PictureBlock* picture = nullptr;
};

TEST_F(PlaceSourceTest, EvenSizeAtFullScaleIsPixelForPixel) {
  Load(4, 2);
  PlaceSource(st, 1);
  for (int y = 0; y < 7; ++y)
    for (int x = 0; x < 9; ++x)
      EXPECT_EQ(At(x, y), x < 4 && y < 2 ? Stored(x, 1 - y) : kBase) << x << "," << y;
  EXPECT_EQ(st.doc.Source(1).PlacedWidth, 4);
  EXPECT_EQ(st.doc.Source(1).PlacedHeight, 2);
}

TEST_F(PlaceSourceTest, OddWidthShiftsHalfAColumn) {
  Load(5, 2);
  PlaceSource(st, 1);
  // sxf = X - 0.5: the first column misses the picture, each later one is the
  // mean of two neighbours, and the one past the box repeats the last column.
  EXPECT_EQ(At(0, 0), kBase);
  for (int x = 1; x < 5; ++x) EXPECT_EQ(At(x, 0), Mean(Stored(x - 1, 1), Stored(x, 1))) << x;
  EXPECT_EQ(At(5, 0), Stored(4, 1));
  EXPECT_EQ(At(6, 0), kBase);
}

TEST_F(PlaceSourceTest, OddHeightShiftsHalfARowAndLeavesTheLastRow) {
  Load(2, 3);
  PlaceSource(st, 1);
  EXPECT_EQ(At(0, 0), Mean(Stored(0, 1), Stored(0, 2)));
  EXPECT_EQ(At(1, 1), Mean(Stored(1, 0), Stored(1, 1)));
  EXPECT_EQ(At(0, 2), kBase);
  EXPECT_EQ(At(1, 2), kBase);
}

TEST_F(PlaceSourceTest, MirrorWithEvenWidthStartsOneColumnRight) {
  Load(4, 2);
  st.doc.Source(1).Flipped = 1;
  PlaceSource(st, 1);
  EXPECT_EQ(At(0, 0), kBase);
  for (int x = 1; x <= 4; ++x) EXPECT_EQ(At(x, 1), Stored(4 - x, 0)) << x;
  EXPECT_EQ(At(5, 1), kBase);
}

TEST_F(PlaceSourceTest, OffsetsMoveTheBoxCorner) {
  Load(4, 2);
  SourceImage& s = st.doc.Source(1);
  s.OffsetX = -3;  // the box's corner at target (3, 2)
  s.OffsetY = -2;
  PlaceSource(st, 1);
  EXPECT_EQ(At(2, 2), kBase);
  EXPECT_EQ(At(3, 2), Stored(0, 1));
  EXPECT_EQ(At(6, 3), Stored(3, 0));
  EXPECT_EQ(At(3, 1), kBase);
  s.OffsetX = 2;  // the corner left of the target: columns 2 and 3 at 0 and 1
  s.OffsetY = 1;
  PlaceSource(st, 1);
  EXPECT_EQ(At(0, 0), Stored(2, 0));
  EXPECT_EQ(At(1, 0), Stored(3, 0));
  EXPECT_EQ(At(2, 0), kBase);
  EXPECT_EQ(At(0, 1), kBase);
}

TEST_F(PlaceSourceTest, ScalesSetThePlacedSize) {
  Load(40, 20);
  SourceImage& s = st.doc.Source(1);
  s.ScaleXPercent = 150.0f;
  s.ScaleYPercent = 80.0f;
  PlaceSource(st, 1);
  EXPECT_EQ(s.PlacedWidth, 60);
  EXPECT_EQ(s.PlacedHeight, 16);
}

// Expected bytes from a separate evaluation of the placement formulas (a 7 x 5
// picture of Pattern, 30 degrees, 150 % x 80 %, offset (1, 0)).
TEST_F(PlaceSourceTest, RotatedAndScaledAtChosenPixels) {
  Load(7, 5);
  SourceImage& s = st.doc.Source(1);
  s.Angle = 30.0f;
  s.ScaleXPercent = 150.0f;
  s.ScaleYPercent = 80.0f;
  s.OffsetX = 1;
  PlaceSource(st, 1);
  EXPECT_EQ(s.PlacedWidth, 12);
  EXPECT_EQ(s.PlacedHeight, 6);
  struct Expected {
    int x, y;
    Bgr value;
  };
  for (const Expected& e : {Expected{3, 3, {89, 36, 128}}, {6, 1, {109, 194, 226}}, {6, 0, {84, 213, 233}},
                            {3, 0, {14, 198, 212}}, {4, 3, {112, 53, 142}}, {6, 2, {134, 140, 198}},
                            {5, 3, {135, 69, 156}}, {6, 3, {159, 86, 170}}, {0, 0, kBase}, {8, 6, kBase},
                            {1, 1, kBase}, {5, 5, kBase}})
    EXPECT_EQ(At(e.x, e.y), e.value) << e.x << "," << e.y;
}

TEST_F(PlaceSourceTest, NoPictureLeavesTheBaseColourAndThePlacedSize) {
  st.SourceCount = 1;
  st.doc.Source(1).PlacedWidth = 33;
  testing::FillPlanePattern(st, 1);
  PlaceSource(st, 1);
  for (int y = 0; y < 7; ++y)
    for (int x = 0; x < 9; ++x) ASSERT_EQ(At(x, y), kBase);
  EXPECT_EQ(st.doc.Source(1).PlacedWidth, 33);
}

// A block whose header promises more rows or a wider picture than it holds, or
// another bit count, is not drawn from.
TEST_F(PlaceSourceTest, BlockThatDoesNotHoldItsPictureIsNotRead) {
  for (auto spoil : {+[](PictureBlock& b) { WriteLe32(b.data() + dib::kWidth, 0x7fffffff); },
                     +[](PictureBlock& b) { WriteLe32(b.data() + dib::kHeight, 5); },
                     +[](PictureBlock& b) { WriteLe16(b.data() + dib::kBitCount, 32); }}) {
    Load(4, 2);
    spoil(*st.doc.Source(1).SourcePicture);
    PlaceSource(st, 1);
    for (int y = 0; y < 7; ++y)
      for (int x = 0; x < 9; ++x) ASSERT_EQ(At(x, y), kBase) << x << "," << y;
  }
}

TEST_F(PlaceSourceTest, WritesOnlyTheTargetRegionOfThePlane) {
  Load(30, 30);
  const Plane plane = st.doc.Source(1).plane();
  WritePixel(plane.pixel(9, 0), {5, 5, 5});
  WritePixel(plane.pixel(0, 7), {6, 6, 6});
  PlaceSource(st, 1);
  EXPECT_EQ(PlanePixel(st, 1, 9, 0), (Bgr{5, 5, 5}));
  EXPECT_EQ(PlanePixel(st, 1, 0, 7), (Bgr{6, 6, 6}));
}

// A scale of 0 or an angle that is not a number makes every coordinate infinite
// or not a number, and extreme offsets put the box far off the target: nothing
// is sampled, nothing is read outside the picture.
TEST_F(PlaceSourceTest, DegenerateGeometryDrawsNothing) {
  Load(4, 2);
  SourceImage& s = st.doc.Source(1);
  for (auto setup : {+[](SourceImage& x) { x.ScaleXPercent = 0.0f; },
                     +[](SourceImage& x) { x.ScaleYPercent = 0.0f; },
                     +[](SourceImage& x) { x.Angle = std::numeric_limits<float>::quiet_NaN(); },
                     +[](SourceImage& x) { x.OffsetX = std::numeric_limits<int>::min(); },
                     +[](SourceImage& x) { x.OffsetY = std::numeric_limits<int>::max(); }}) {
    ResetPlacement(st.doc, 1);
    setup(s);
    PlaceSource(st, 1);
    PlaceSourcePlain(st, 1);
    for (int y = 0; y < 7; ++y)
      for (int x = 0; x < 9; ++x) ASSERT_EQ(At(x, y), kBase) << x << "," << y;
  }
}

struct PlacementCase {
  std::string name;
  float angle;
  std::uint8_t flipped;
};
void PrintTo(const PlacementCase& c, std::ostream* os) { *os << c.name; }
class FastPlacement : public ::testing::TestWithParam<PlacementCase> {};

TEST_P(FastPlacement, MatchesThePlainPlacementByteForByte) {
  const PlacementCase& c = GetParam();
  struct Scale {
    float x, y;
  };
  struct Offset {
    int x, y;
  };
  State plain, fast;
  for (const auto& [w, h] : {std::pair{4, 2}, {5, 3}, {6, 7}, {1, 1}, {2, 1}, {13, 4}})
    for (const Scale scale : {Scale{100, 100}, {150, 80}, {33.3f, 250}})
      for (const Offset offset : {Offset{0, 0}, {-3, 2}, {4, -5}, {-30, -30}}) {
        for (State* st : {&plain, &fast}) {
          st->SetTargetSize(19, 17);
          st->doc.BaseColor = kBase;
          LoadSource(*st, 2, MakePicture(w, h, Pattern));
          SourceImage& s = st->doc.Source(2);
          s.Angle = c.angle;
          s.Flipped = c.flipped;
          s.ScaleXPercent = scale.x;
          s.ScaleYPercent = scale.y;
          s.OffsetX = offset.x;
          s.OffsetY = offset.y;
        }
        PlaceSourcePlain(plain, 2);
        for (int threads : {1, 2, 5}) {
          testing::FillPlanePattern(fast, 2, unsigned(threads));
          PlaceSourceFast(fast, 2, threads);
          ASSERT_EQ(PlaneRegion(fast, 2), PlaneRegion(plain, 2))
              << w << "x" << h << " at " << scale.x << "%/" << scale.y << "%, offset " << offset.x
              << "," << offset.y << ", " << threads << " threads";
          ASSERT_EQ(fast.doc.Source(2).PlacedWidth, plain.doc.Source(2).PlacedWidth);
          ASSERT_EQ(fast.doc.Source(2).PlacedHeight, plain.doc.Source(2).PlacedHeight);
        }
      }
}

INSTANTIATE_TEST_SUITE_P(
    Rotations, FastPlacement,
    ::testing::Values(PlacementCase{"Upright", 0, 0}, PlacementCase{"Mirrored", 0, 1},
                      PlacementCase{"Thirty", 30, 0}, PlacementCase{"ThirtyMirrored", 30, 1},
                      PlacementCase{"Quarter", 90, 0}, PlacementCase{"MinusQuarterMirrored", -90, 1},
                      PlacementCase{"Lowest", -181, 0}, PlacementCase{"Highest", 179, 1},
                      PlacementCase{"Fractional", 45.5f, 0}),
    [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace wrimple
