#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "effects/black_and_white.h"
#include "effects/invert_brightness.h"
#include "effects/invert_color_brightness.h"
#include "effects_fixture.h"

namespace wrimple {
namespace {

using testing::TargetPixel;

int Y64(Bgr p) { return int(7.04 * p[0]) + int(37.76 * p[1]) + int(19.2 * p[2]); }

Bgr ReferenceInvertBrightness(Bgr p) {
  const int m = 255 - 2 * testing::FloorDiv(Y64(p), 64);
  return {ClampByte(p[0] + m), ClampByte(p[1] + m), ClampByte(p[2] + m)};
}

Bgr ReferenceInvertColorBrightness(Bgr p) {
  const int b = p[0], g = p[1], r = p[2];
  const int spread = std::max({b, g, r}) - std::min({b, g, r});
  const double s = std::sin(spread * 3.14159 * 0.001953125);
  const double l = (0.6 * r + 1.18 * g) + 0.22 * b;
  const int d = int(std::trunc(s * (255 - l)));
  return {ClampByte(b + d), ClampByte(g + d), ClampByte(r + d)};
}

Bgr ReferenceBlackAndWhite(Bgr p) {
  const std::uint8_t y = ClampByte(testing::FloorDiv(Y64(p), 64));
  return {y, y, y};
}

struct PointFilter {
  const char* name;
  void (*command)(State&, Platform&);
  void (*pass)(ConstTargetImage, TargetImage, int);
  Bgr (*reference)(Bgr);
};
void PrintTo(const PointFilter& f, std::ostream* os) { *os << f.name; }

const PointFilter kPointFilters[] = {
    {"InvertBrightness", OnInvertBrightness, InvertBrightness, ReferenceInvertBrightness},
    {"InvertColorBrightness", OnInvertColorBrightness, InvertColorBrightness, ReferenceInvertColorBrightness},
    {"BlackAndWhite", OnBlackAndWhite, BlackAndWhite, ReferenceBlackAndWhite},
};

class PointFilters : public ::testing::TestWithParam<PointFilter> {};

TEST_P(PointFilters, CommandMatchesTheReferenceAtEveryPixelFromAFreshSnapshot) {
  State st;
  testing::TestPlatform tp;
  testing::PrepareTarget(st, 23, 9);
  const auto before = testing::CopyOf(st.Target());
  GetParam().command(st, tp);
  EXPECT_EQ(testing::CopyOf(st.Backup()), before);
  for (int y = 0; y < 9; ++y)
    for (int x = 0; x < 23; ++x)
      ASSERT_EQ(TargetPixel(st, x, y), GetParam().reference(ReadPixel(st.Backup().pixel(x, y)))) << x << ',' << y;
  testing::ExpectPaddingMarked(st);
  EXPECT_TRUE(st.TargetModified);
  EXPECT_EQ(tp.view.redraws, 1);
  // A second application works on the first one's result.
  const auto first = testing::CopyOf(st.Target());
  GetParam().command(st, tp);
  EXPECT_EQ(testing::CopyOf(st.Backup()), first);
  for (int x = 0; x < 23; ++x)
    ASSERT_EQ(TargetPixel(st, x, 4), GetParam().reference(ReadPixel(st.Backup().pixel(x, 4))));
}

TEST_P(PointFilters, TwoThreadsGiveTheSameBytesAsOne) {
  State st;
  testing::PrepareTarget(st, 301, 257, 5);
  SnapshotTarget(st);
  GetParam().pass(st.Backup(), st.Target(), 1);
  const auto one = testing::CopyOf(st.Target());
  testing::FillUniform(st, {1, 2, 3});
  GetParam().pass(st.Backup(), st.Target(), 2);
  EXPECT_EQ(testing::CopyOf(st.Target()), one);
  for (int y = 0; y < 257; y += 16)
    for (int x = 0; x < 301; x += 7)
      ASSERT_EQ(TargetPixel(st, x, y), GetParam().reference(ReadPixel(st.Backup().pixel(x, y))));
}

// Every one of the 2^24 colours once, in rows whose width is no multiple of
// the block the passes work in, so that each value also meets the row tails.
TEST_P(PointFilters, EveryColourMatchesTheReference) {
  constexpr int kWidth = 4093, kHeight = 4100;
  std::vector<std::uint8_t> in(TargetImage::Offset(0, 0, kWidth, kHeight) + RowLength24(kWidth));
  std::vector<std::uint8_t> out(in.size());
  const TargetImage from(in.data(), kWidth, kHeight), to(out.data(), kWidth, kHeight);
  const auto colour = [](int x, int y) {
    const unsigned i = unsigned(y * kWidth + x);
    return Bgr{std::uint8_t(i), std::uint8_t(i >> 8), std::uint8_t(i >> 16)};
  };
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x) WritePixel(from.pixel(x, y), colour(x, y));
  GetParam().pass(from, to, 1);
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x) {
      const Bgr expected = GetParam().reference(colour(x, y));
      if (ReadPixel(to.pixel(x, y)) != expected) FAIL() << "colour " << (y * kWidth + x) % (1 << 24);
    }
}

INSTANTIATE_TEST_SUITE_P(All, PointFilters, ::testing::ValuesIn(kPointFilters),
                         [](const auto& info) { return std::string(info.param.name); });

struct DocumentedPixel {
  const char* name;
  void (*command)(State&, Platform&);
  Bgr in, out;
};
void PrintTo(const DocumentedPixel& p, std::ostream* os) { *os << p.name; }

class DocumentedPixels : public ::testing::TestWithParam<DocumentedPixel> {};

TEST_P(DocumentedPixels, UniformPictureGivesTheDocumentedColour) {
  State st;
  testing::TestPlatform tp;
  st.SetTargetSize(5, 3);
  st.SourceCount = 1;
  testing::FillUniform(st, GetParam().in);
  GetParam().command(st, tp);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 5; ++x) EXPECT_EQ(TargetPixel(st, x, y), GetParam().out);
}

INSTANTIATE_TEST_SUITE_P(
    Documented, DocumentedPixels,
    ::testing::Values(DocumentedPixel{"BlackAndWhiteOfWhite", OnBlackAndWhite, {255, 255, 255}, {254, 254, 254}},
                      DocumentedPixel{"InvertBrightnessOfGrey100", OnInvertBrightness, {100, 100, 100}, {155, 155, 155}},
                      DocumentedPixel{"InvertBrightnessOfWhite", OnInvertBrightness, {255, 255, 255}, {2, 2, 2}},
                      DocumentedPixel{"InvertBrightnessOfRed", OnInvertBrightness, {0, 0, 255}, {103, 103, 255}},
                      DocumentedPixel{"InvertColorBrightnessOfGrey", OnInvertColorBrightness, {77, 77, 77}, {77, 77, 77}},
                      DocumentedPixel{"InvertColorBrightnessOfDarkBlue", OnInvertColorBrightness, {128, 0, 0},
                                      {255, 160, 160}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace wrimple
