// The view's mapping between window and target pixels, its zoom steps, and the
// scaled pictures: the fast loops against the plain definition.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "document/view_mapping.h"
#include "document/view_scaling.h"

namespace wrimple {
namespace {

const ZoomRatio kZooms[] = {{1, 16}, {1, 12}, {1, 3}, {1, 2}, {2, 3},  {1, 1}, {3, 2},
                            {3, 1},  {8, 1},  {32, 1}, {1080, 3072}, {1920, 4096}, {7, 5}};

TEST(ViewMapping, AtOneToOneWindowPointsAreTargetPointsMinusTheScroll) {
  const ViewMapping m{.scroll = {37, 5}};
  for (int w : {-3, 0, 1, 500}) {
    EXPECT_EQ(m.ToTarget({w, w}).x, w + 37);
    EXPECT_EQ(m.ToTarget({w, w}).y, w + 5);
    EXPECT_EQ(m.ToWindow({w, w}).x, w - 37);
  }
  EXPECT_EQ(m.PictureSize(300, 200).width, 300);
  EXPECT_EQ(m.LengthToTarget(-7), -7);
}

TEST(ViewMapping, AWindowPixelShowsTheTargetPixelUnderItsCentre) {
  const ViewMapping quarter{.zoom = {1, 4}};
  EXPECT_EQ(quarter.ToTarget({0, 1}).x, 2) << "the middle of the 4 pixels a window pixel covers";
  EXPECT_EQ(quarter.ToTarget({0, 1}).y, 6);
  EXPECT_EQ(quarter.ToTarget({100, 0}).x - quarter.ToTarget({0, 0}).x, 400);
  const ViewMapping three{.zoom = {3, 1}, .scroll = {1, 0}};
  EXPECT_EQ(three.ToTarget({-1, 0}).x, 0);
  EXPECT_EQ(three.ToTarget({1, 0}).x, 0);
  EXPECT_EQ(three.ToTarget({2, 0}).x, 1);
  EXPECT_EQ(three.ToWindow({1, 0}).x, 2);
}

// ToWindow(t) is the first window pixel that shows t or beyond, at every zoom
// and scroll position.
TEST(ViewMapping, TargetEdgesFallOnTheFirstWindowPixelBeyondThem) {
  for (const ZoomRatio z : kZooms)
    for (const Point scroll : {Point{0, 0}, Point{13, 7}}) {
      const ViewMapping m{.zoom = z, .scroll = scroll};
      for (int t = 0; t < 300; ++t) {
        const int w = m.ToWindow({t, t}).x;
        EXPECT_GE(m.ToTarget({w, 0}).x, t) << z.numerator << "/" << z.denominator << " t " << t;
        EXPECT_LT(m.ToTarget({w - 1, 0}).x, t) << z.numerator << "/" << z.denominator << " t " << t;
      }
    }
}

TEST(ViewMapping, UserInterfacePixelsAtADevicePixelRatio) {
  const ViewMapping m{.ui_scale = 2.0};
  EXPECT_EQ(m.ToUi({41, -3}).x, 20);
  EXPECT_EQ(m.ToUi({41, -3}).y, -2);
  EXPECT_EQ(m.UiLength(100), 200);
  EXPECT_EQ(ViewMapping{.ui_scale = 1.5}.UiLength(-7), -11);
}

TEST(ZoomSteps, StepsRunFromASixteenthToThirtyTwoTimes) {
  struct Case {
    ZoomRatio from, above, below;
  };
  const Case cases[] = {
      {{1, 1}, {3, 2}, {2, 3}},         {{1, 16}, {1, 12}, {1, 16}},
      {{32, 1}, {32, 1}, {24, 1}},      {{1080, 3072}, {1, 2}, {1, 3}},  // a fit between steps
      {{3, 1}, {4, 1}, {2, 1}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ZoomStepAbove(c.from), c.above) << c.from.numerator << "/" << c.from.denominator;
    EXPECT_EQ(ZoomStepBelow(c.from), c.below) << c.from.numerator << "/" << c.from.denominator;
  }
  EXPECT_TRUE(IsLargestZoom({64, 2}));
  EXPECT_TRUE(IsSmallestZoom({1, 16}));
  EXPECT_FALSE(IsSmallestZoom({1, 12}));
}

TEST(ZoomSteps, FitShowsTheWholeTargetAndFillsOneDirection) {
  const ZoomRatio fit = FitZoom({1920, 1080}, 4096, 3072);
  EXPECT_EQ(fit, (ZoomRatio{1080, 3072}));
  const Size shown = ViewMapping{.zoom = fit}.PictureSize(4096, 3072);
  EXPECT_LE(shown.width, 1920);
  EXPECT_EQ(shown.height, 1080);
  EXPECT_EQ(FitZoom({1000, 1000}, 10, 10), (ZoomRatio{32, 1})) << "at most 32 times";
  EXPECT_EQ(ZoomPercent(fit), 100.0 * 1080 / 3072);
}

TEST(ZoomSteps, ZoomingKeepsTheTargetPointUnderTheAnchor) {
  const Point anchor{613, 287};
  ViewMapping m{.zoom = {1, 1}, .scroll = {100, 40}};
  const Point before = m.ToTarget(anchor);
  for (const ZoomRatio z : {ZoomRatio{2, 1}, ZoomRatio{4, 1}, ZoomRatio{8, 1}, ZoomRatio{32, 1}}) {
    m.scroll = ScrollKeeping(m, anchor, z);
    m.zoom = z;
    EXPECT_EQ(m.ToTarget(anchor).x, before.x) << z.numerator;
    EXPECT_EQ(m.ToTarget(anchor).y, before.y) << z.numerator;
  }
  // Shrinking: the pixel under the anchor covers the point it covered.
  for (const ZoomRatio z : kZooms) {
    ViewMapping from{.zoom = {1, 1}, .scroll = {100, 40}};
    const ViewMapping to{.zoom = z, .scroll = ScrollKeeping(from, anchor, z)};
    const int first = to.ToTarget({anchor.x, 0}).x;
    const int cell = std::max(1, z.denominator / z.numerator);
    EXPECT_LE(std::abs(first - before.x), cell) << z.numerator << "/" << z.denominator;
  }
}

// A picture of random bytes in the target layout.
struct RandomPicture {
  RandomPicture(int w, int h, unsigned seed) : width(w), height(h), bytes(std::size_t(RowLength24(w)) * h) {
    std::mt19937 random(seed);
    for (auto& b : bytes) b = std::uint8_t(random());
  }
  ConstTargetImage image() const { return ConstTargetImage(bytes.data(), width, height); }
  int width, height;
  std::vector<std::uint8_t> bytes;
};

std::vector<std::uint32_t> Scaled(PixelRows& rows, ZoomRatio z, const PixelRect& area, bool plain) {
  std::vector<std::uint32_t> out(std::size_t(area.Width()) * area.Height(), 0);
  const WordTarget to{out.data(), area.Width()};
  if (plain)
    ScaleAreaPlain(rows, z, area, to);
  else
    ScaleArea(rows, z, area, to);
  return out;
}

TEST(ViewScaling, OneToOneShowsEveryPixelAsItIs) {
  const RandomPicture picture(13, 7, 1);
  TargetRows rows(picture.image());
  const auto out = Scaled(rows, {1, 1}, {0, 0, 13, 7}, false);
  for (int y = 0; y < 7; ++y)
    for (int x = 0; x < 13; ++x) {
      const std::uint8_t* p = picture.image().pixel(x, y);
      EXPECT_EQ(out[std::size_t(y * 13 + x)], 0xff000000u | p[2] << 16 | p[1] << 8 | p[0]);
    }
}

TEST(ViewScaling, HalfSizeAveragesEachBlockRounded) {
  // Columns alternate black and white; rows alternate 0 and 1 in blue.
  RandomPicture picture(4, 2, 0);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 4; ++x) {
      std::uint8_t* p = picture.bytes.data() + ConstTargetImage::Offset(x, y, 4, 2);
      p[0] = std::uint8_t(y);
      p[1] = p[2] = x % 2 ? 255 : 0;
    }
  TargetRows rows(picture.image());
  const auto out = Scaled(rows, {1, 2}, {0, 0, 2, 1}, false);
  EXPECT_EQ(out[0], 0xff808001u) << "(0 + 255 + 0 + 255 + 2) >> 2 and (0 + 0 + 1 + 1 + 2) >> 2";
}

TEST(ViewScaling, BoxWeightsAreTheSharesOfTheCoveredPixels) {
  struct Case {
    int X, size;
    ZoomRatio z;
    BoxTaps expected;
  };
  const Case cases[] = {
      {0, 10, {1, 1}, {0, 1, {256}}},
      {3, 10, {1, 2}, {6, 2, {128, 128}}},
      {0, 10, {2, 3}, {0, 2, {171, 85}}},    // [0, 1.5): one pixel and a half
      {1, 10, {2, 3}, {1, 2, {85, 171}}},    // [1.5, 3)
      {1, 10, {3, 5}, {1, 3, {51, 154, 51}}},  // [1.67, 3.33) over pixels 1, 2, 3
      {3, 7, {4, 7}, {5, 2, {110, 146}}},    // [5.25, 7): the part beyond the edge drops out
  };
  for (const Case& c : cases) {
    const BoxTaps t = BoxTapsOf(c.X, c.size, c.z);
    EXPECT_EQ(t.first, c.expected.first) << c.X << " " << c.z.numerator << "/" << c.z.denominator;
    ASSERT_EQ(t.count, c.expected.count) << c.X << " " << c.z.numerator << "/" << c.z.denominator;
    for (int k = 0; k < t.count; ++k) EXPECT_EQ(t.weight[k], c.expected.weight[k]) << c.X << " tap " << k;
  }
}

TEST(ViewScaling, FastLoopsEqualThePlainDefinition) {
  const RandomPicture picture(53, 41, 7);
  std::mt19937 random(3);
  for (const ZoomRatio z : kZooms) {
    if (LevelForZoom(z) > 0) continue;  // levels draw those
    for (int i = 0; i < 6; ++i) {
      TargetRows rows(picture.image());
      const Size size = ViewMapping{.zoom = z}.PictureSize(53, 41);
      const int left = int(random() % unsigned(size.width)), top = int(random() % unsigned(size.height));
      const PixelRect area{left, top, left + 1 + int(random() % unsigned(size.width - left)),
                           top + 1 + int(random() % unsigned(size.height - top))};
      EXPECT_EQ(Scaled(rows, z, area, false), Scaled(rows, z, area, true))
          << z.numerator << "/" << z.denominator << " at " << left << "," << top;
    }
  }
}

TEST(ViewScaling, HalvingEqualsThePlainDefinitionOnOddSizes) {
  for (const auto& [w, h] : {std::pair{9, 5}, std::pair{1, 1}, std::pair{16, 3}}) {
    const RandomPicture picture(w, h, unsigned(w * h));
    TargetRows rows(picture.image());
    const PixelRect area{0, 0, (w + 1) / 2, (h + 1) / 2};
    std::vector<std::uint32_t> fast(std::size_t(area.Width()) * area.Height()), plain(fast.size());
    HalveArea(rows, area, {fast.data(), area.Width()});
    HalveAreaPlain(rows, area, {plain.data(), area.Width()});
    EXPECT_EQ(fast, plain) << w << "x" << h;
  }
}

TEST(ViewScaling, SourceAverageRowsAverageTheTwoPlanes) {
  std::vector<std::uint8_t> a(kImageBufferBytes / 512), b(a.size());
  for (std::size_t i = 0; i < a.size(); ++i) a[i] = std::uint8_t(i), b[i] = std::uint8_t(3 * i + 1);
  PlaneAverageRows rows(ConstPlane(a.data()), ConstPlane(b.data()), 20, 4);
  const std::uint8_t* r = rows.Row(2, 5, 9);
  for (int i = 0; i < 12; ++i) {
    const std::size_t at = 2 * std::size_t(kPlaneRowBytes) + 15 + std::size_t(i);
    EXPECT_EQ(r[i], (a[at] + b[at]) >> 1);
  }
}

TEST(ViewScaling, ThePixelGridGreysTheFirstWindowPixelsOfEveryPicturePixel) {
  const PixelRect area{4, 6, 28, 20};  // window pixels 4..27 across, 6..19 down
  std::vector<std::uint32_t> out(std::size_t(area.Width()) * area.Height(), 0xff000000u);
  DrawPixelGrid({8, 1}, area, {out.data(), area.Width()});
  auto at = [&](int X, int Y) { return out[std::size_t((Y - area.top) * area.Width() + X - area.left)]; };
  EXPECT_EQ(at(8, 7), 0xff404040u) << "column 8 starts picture pixel 1";
  EXPECT_EQ(at(16, 19), 0xff404040u);
  EXPECT_EQ(at(5, 16), 0xff404040u) << "row 16 starts picture row 2";
  EXPECT_EQ(at(9, 7), 0xff000000u);
  EXPECT_EQ(at(27, 15), 0xff000000u);
}

// The pyramid's levels built by the plain halving, drawn by the plain scaling.
std::vector<std::uint32_t> PlainPyramid(const RandomPicture& picture, ZoomRatio z, const PixelRect& area) {
  TargetRows rows(picture.image());
  const int k = LevelForZoom(z);
  if (k == 0) return Scaled(rows, z, area, true);
  std::vector<std::uint32_t> level;
  int w = picture.width, h = picture.height;
  PixelRows* from = &rows;
  WordRows words(nullptr, 0, 0, 0);
  for (int i = 0; i < k; ++i) {
    const int hw = (w + 1) / 2, hh = (h + 1) / 2;
    std::vector<std::uint32_t> next(std::size_t(hw) * hh);
    HalveAreaPlain(*from, {0, 0, hw, hh}, {next.data(), hw});
    level = std::move(next);
    w = hw, h = hh;
    words = WordRows(level.data(), w, h, w);
    from = &words;
  }
  return Scaled(words, ZoomRatio{z.numerator << k, z.denominator}, area, true);
}

TEST(ViewPyramid, ShrunkPicturesComeFromTheLevelsAsThePlainDefinitionMakesThem) {
  const RandomPicture picture(203, 151, 11);
  TargetRows rows(picture.image());
  ViewPyramid pyramid;
  pyramid.Rebuild(rows);
  for (const ZoomRatio z : kZooms) {
    const Size size = ViewMapping{.zoom = z}.PictureSize(203, 151);
    const PixelRect area{0, 0, std::min(size.width, 400), std::min(size.height, 300)};
    std::vector<std::uint32_t> out(std::size_t(area.Width()) * area.Height());
    pyramid.Draw(rows, z, area, {out.data(), area.Width()});
    EXPECT_EQ(out, PlainPyramid(picture, z, area)) << z.numerator << "/" << z.denominator;
  }
}

TEST(ViewPyramid, UpdatingAChangedRectangleEqualsRebuilding) {
  RandomPicture picture(97, 66, 5);
  TargetRows rows(picture.image());
  ViewPyramid updated;
  updated.Rebuild(rows);
  // Change a rectangle with odd edges, then a single pixel at the far corner.
  for (const PixelRect changed : {PixelRect{13, 7, 40, 31}, PixelRect{96, 65, 97, 66}}) {
    for (int y = changed.top; y < changed.bottom; ++y)
      for (int x = changed.left; x < changed.right; ++x)
        picture.bytes[ConstTargetImage::Offset(x, y, 97, 66)] ^= 0x5a;
    updated.Update(rows, changed);
  }
  ViewPyramid rebuilt;
  rebuilt.Rebuild(rows);
  for (const ZoomRatio z : {ZoomRatio{1, 2}, ZoomRatio{1, 3}, ZoomRatio{1, 16}, ZoomRatio{1, 64}}) {
    const Size size = ViewMapping{.zoom = z}.PictureSize(97, 66);
    const PixelRect area{0, 0, size.width, size.height};
    std::vector<std::uint32_t> a(std::size_t(area.Width()) * area.Height()), b(a.size());
    updated.Draw(rows, z, area, {a.data(), area.Width()});
    rebuilt.Draw(rows, z, area, {b.data(), area.Width()});
    EXPECT_EQ(a, b) << z.denominator;
  }
}

}  // namespace
}  // namespace wrimple
